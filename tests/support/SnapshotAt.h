#pragma once

#include "core/TournamentSnapshot.h"

#include <QString>

// A snapshot that says only where the clock stands: the level, "mm:ss" left, a break and the pause.
inline TournamentSnapshot snapshotAt(int level, const QString& time, bool inBreak = false,
                                     bool paused = false)
{
    TournamentSnapshot s;
    s.level = qint16(level);
    s.time = time;
    s.secondsLeft = time.contains(u':') && !time.contains(u'-')
                        ? time.section(u':', 0, 0).toInt() * 60 + time.section(u':', 1, 1).toInt()
                        : -1;
    s.inBreak = inBreak;
    s.paused = paused;
    return s;
}
