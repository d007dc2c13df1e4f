#pragma once

#include "ClockHooks.h"
#include "ClockScreenModel.h"
#include "KeyCommands.h"
#include "LevelClock.h"
#include "ScreenCommands.h"
#include "TickScheduler.h"

#include <QString>

class BlindStructure;
class ClockScreenWindow;
class MessageBoxes;
class MonotonicClock;
class SoundPlayer;
class TextMeasurer;
struct TournamentState;

// Everything the clock screen does, without the window: its elements, the level clock, the keys, the
// command buttons and the one-second ticks. The window shows model and forwards its events here.
class ClockScreenLogic
{
public:
    ClockScreenLogic(TournamentState& state, BlindStructure& blinds, const TextMeasurer& measurer,
                     SoundPlayer& sounds, MessageBoxes& boxes, const MonotonicClock& monotonic,
                     ClockHooks screenHooks);

    ClockScreenLogic(const ClockScreenLogic&) = delete;
    ClockScreenLogic& operator=(const ClockScreenLogic&) = delete;

    ClockHooks hooks;
    ClockScreenModel model;
    LevelClock clock;
    KeyCommands keys;
    ScreenCommands commands;
    TickScheduler scheduler;
    // Why the blinds file was read only up to a line, for the director; empty when it was read whole.
    QString blindsProblem;

    // The screen's start-up after the window took its design size, in the one order both the window and
    // the tests run: command buttons and PAUSED placed, logo, recount, statistics, blind structure,
    // payouts, level clock, colours and layout, timers, sizer, maximised window, blinds and digits. Each
    // step that fails is skipped.
    void InitialiseScreen(ClockScreenWindow& window);

    // Puts another blind structure in place at once: the level number stays, the time left is cut to the
    // new level's (or break's) length, and the blinds, the next level, the time played and the time to
    // break are shown for it.
    void replaceBlinds(const BlindStructure& replacement);

    void settingsClicked() { commands.runModal(hooks.openSettings); }
    void helpClicked() { commands.runModal(hooks.openHelp); }

private:
    TournamentState& m_state;
    BlindStructure& m_blinds;
};
