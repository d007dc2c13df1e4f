#include "AnnouncementWatcher.h"

#include "core/BlindStructure.h"

QList<AnnouncementEvent> AnnouncementWatcher::observe(const TournamentSnapshot& now,
                                                      const BlindStructure& blinds)
{
    using Kind = AnnouncementEvent::Kind;
    const std::optional<TournamentSnapshot> before = m_previous;
    m_previous = now;
    if (!before || now.paused) {
        return {};
    }
    if (now.level != before->level) {
        m_done.clear();
    }
    const int left = now.secondsLeft;
    const int leftBefore = before->secondsLeft;
    const bool sameLevel = now.level == before->level;
    const bool samePart = sameLevel && now.inBreak == before->inBreak;
    const bool known = blinds.hasLevel(now.level);
    const int breakMinutes = known ? blinds.at(now.level).BreakMinutes : 0;

    QList<Kind> found;
    // The count-down moves on only from 00:00, and only one level at a time.
    if (now.level == before->level + 1 && leftBefore == 0 && !now.inBreak && known) {
        found << Kind::LevelStart;
    }
    if (sameLevel && now.inBreak && !before->inBreak && breakMinutes >= 1) {
        found << Kind::BreakStart;
    }
    // A one-minute break has just said its length.
    if (samePart && now.inBreak && breakMinutes > 1 && left == 60 && leftBefore > 60) {
        found << Kind::BreakWarning;
    }
    const int warning = m_levelWarningMinutes * 60;
    if (samePart && !now.inBreak && warning > 0 && left == warning && leftBefore > warning) {
        found << Kind::LevelWarning;
    }
    if (samePart && known && now.level >= blinds.levelCount() && left == 0 && leftBefore > 0 &&
        (now.inBreak || breakMinutes < 1)) {
        found << Kind::LastLevelEnd;
    }

    QList<AnnouncementEvent> events;
    for (const Kind kind : found) {
        const AnnouncementEvent event{kind, now.level};
        if (!m_done.contains(event)) {
            m_done << event;
            events << event;
        }
    }
    return events;
}
