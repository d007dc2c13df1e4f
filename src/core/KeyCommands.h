#pragma once

#include "VirtualKey.h"

#include <QtGlobal>
#include <functional>

class BlindStructure;
class ClockScreenModel;
class LevelClock;
struct TournamentState;

// The director's keys on the clock screen, acted on when a key is released, paused or not. Counts are
// kept by hand while Refresh is 0 or less; otherwise the keys correct the manager's counts through the
// variances.
class KeyCommands
{
public:
    KeyCommands(TournamentState& state, const BlindStructure& blinds, ClockScreenModel& screen,
                LevelClock& clock);

    void keyReleased(VirtualKey key);

    // F1 and F2 do what the Help and Settings buttons do.
    std::function<void()> helpRequested;
    std::function<void()> settingsRequested;
    // F3 shows or hides the players' view's QR code.
    std::function<void()> qrCodeToggled;

    // Moves the players shown in lblPlayers by delta within 0 and the entries shown, rewriting the label at
    // once; false when that would leave the range.
    bool AdjustPlayersShown(int delta);

private:
    TournamentState& m_state;
    const BlindStructure& m_blinds;
    ClockScreenModel& m_screen;
    LevelClock& m_clock;

    bool linked() const;
    void changePlayers(int delta);
    void stepTime(int minutes, int seconds, bool clamp);
    void changeLevel(int delta);
};
