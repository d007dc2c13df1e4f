#pragma once

#include "core/ClockHooks.h"

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
    // Recount, statistics, payouts, help and settings. showMouse is the window's own and is ignored here.
    ClockHooks hooks;
    std::function<void()> showWelcome;
    std::function<void()> checkRequiredFiles;
    std::function<bool()> isScreenSaverActive;
    std::function<void(bool active)> setScreenSaverActive;
};
