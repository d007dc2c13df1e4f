#pragma once

#include <QString>

// What the clock screen shows after a tick, as far as announcements care.
struct ClockSnapshot
{
    int level = 0;
    QString time; // "mm:ss" left in the level or break
    bool inBreak = false;
    bool paused = false;

    // Seconds left, or -1 for a time that is not "mm:ss".
    int secondsLeft() const;
};
