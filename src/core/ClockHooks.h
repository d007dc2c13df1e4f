#pragma once

#include <functional>

// What the clock screen's logic asks of the rest of the program. Unset hooks do nothing, so the logic
// runs without a manager database, payouts or window. The logic calls them through guarded: a hook that
// fails is skipped and the tick, key or button that called it goes on.
struct ClockHooks
{
    std::function<void()> refreshFromManager;
    std::function<void()> updateStatistics;
    std::function<void()> prizePool;
    // Shows (true) or hides (false) the pointer whatever was requested before.
    std::function<void(bool visible)> showMouse;
    // Open the help screen or the settings dialog modally and return when it is closed.
    std::function<void()> openHelp;
    std::function<void()> openSettings;
};
