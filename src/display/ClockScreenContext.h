#pragma once

#include "core/ClockHooks.h"

#include <QString>
#include <functional>

class BlindStructure;
class MessageBoxes;
class MonotonicClock;
class SoundPlayer;
struct TournamentState;

// What the clock screen works with; all of it outlives the screen.
struct ClockScreenContext
{
    ClockScreenContext(TournamentState& tournament, BlindStructure& structure, MessageBoxes& messageBoxes,
                       SoundPlayer& soundPlayer, const MonotonicClock& monotonic)
        : state(tournament), blinds(structure), boxes(messageBoxes), sounds(soundPlayer), clock(monotonic)
    {}

    TournamentState& state;
    BlindStructure& blinds;
    MessageBoxes& boxes;
    SoundPlayer& sounds;
    const MonotonicClock& clock;
    // The manager's currency symbol, in front of every amount.
    QString currencySymbol;
    // Recount, help and settings. Statistics, payouts and the pointer are the window's own: those set
    // here are replaced.
    ClockHooks hooks;
    std::function<void()> showWelcome;
    std::function<void()> checkRequiredFiles;
    std::function<bool()> isScreenSaverActive;
    std::function<void(bool active)> setScreenSaverActive;
};
