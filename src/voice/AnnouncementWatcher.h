#pragma once

#include "AnnouncementEvent.h"
#include "core/TournamentSnapshot.h"

#include <QList>
#include <optional>

class BlindStructure;

// Finds what to announce by comparing each tick's clock with the one before: a level reached by the
// count-down (not by the director's keys), a break starting, one minute left in a break, the level
// warning, the end of the last level. Nothing while paused; each event once per level.
class AnnouncementWatcher
{
public:
    explicit AnnouncementWatcher(int levelWarningMinutes = 0) : m_levelWarningMinutes(levelWarningMinutes) {}

    QList<AnnouncementEvent> observe(const TournamentSnapshot& now, const BlindStructure& blinds);

private:
    int m_levelWarningMinutes = 0;
    std::optional<TournamentSnapshot> m_previous;
    QList<AnnouncementEvent> m_done; // of the current level
};
