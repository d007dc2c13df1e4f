#include "AnnouncementText.h"

#include "core/BlindAmount.h"
#include "core/BlindStructure.h"

namespace {

using Kind = AnnouncementEvent::Kind;

// The break's own words, then the note the structure gives for it ("Colour up the 25 chips.").
QString withNote(const QString& said, const QString& note)
{
    const QString n = note.trimmed();
    if (said.isEmpty() || n.isEmpty()) {
        return said;
    }
    const bool ended = n.endsWith(u'.') || n.endsWith(u'!') || n.endsWith(u'?');
    return said + u' ' + n + (ended ? QString() : QStringLiteral("."));
}

} // namespace

QString AnnouncementText::spokenAmount(const QString& caption)
{
    const QString amount = BlindAmount::plain(caption);
    return amount == QStringLiteral("0") ? QString() : amount;
}

QString AnnouncementText::levelStart(int level, const QString& smallBlind, const QString& bigBlind,
                                     const QString& ante) const
{
    const QString spokenAnte = spokenAmount(ante);
    return m_templates.fill(spokenAnte.isEmpty() ? AnnouncementTemplates::LevelStart
                                                 : AnnouncementTemplates::LevelStartAnte,
                            {{QStringLiteral("level"), QString::number(level)},
                             {QStringLiteral("small_blind"), spokenAmount(smallBlind)},
                             {QStringLiteral("big_blind"), spokenAmount(bigBlind)},
                             {QStringLiteral("ante"), spokenAnte}});
}

QString AnnouncementText::breakStart(int minutes) const
{
    return m_templates.fill(minutes == 1 ? AnnouncementTemplates::BreakStartOneMinute
                                         : AnnouncementTemplates::BreakStart,
                            {{QStringLiteral("minutes"), QString::number(minutes)}});
}

QString AnnouncementText::breakWarning() const
{
    return m_templates.value(AnnouncementTemplates::BreakWarning);
}

QString AnnouncementText::levelWarning(int minutes) const
{
    return m_templates.fill(minutes == 1 ? AnnouncementTemplates::LevelWarningOneMinute
                                         : AnnouncementTemplates::LevelWarning,
                            {{QStringLiteral("minutes"), QString::number(minutes)}});
}

QString AnnouncementText::lastLevelEnd() const
{
    return m_templates.value(AnnouncementTemplates::LastLevelEnd);
}

QString AnnouncementText::sample() const
{
    return levelStart(6, QStringLiteral("300"), QStringLiteral("600"), QStringLiteral("75"));
}

QString AnnouncementText::text(const AnnouncementEvent& event, const BlindStructure& blinds) const
{
    if (!blinds.hasLevel(event.level)) {
        return {};
    }
    const BlindLevel& row = blinds.at(event.level);
    switch (event.kind) {
    case Kind::LevelStart:
        return levelStart(event.level, row.SmallBlind, row.BigBlind, row.Ante);
    case Kind::BreakStart:
        return row.hasBreak() ? withNote(breakStart(row.BreakMinutes), row.Note) : QString();
    case Kind::BreakWarning:
        return row.BreakMinutes > 1 ? breakWarning() : QString();
    case Kind::LevelWarning:
        return m_levelWarningMinutes > 0 ? levelWarning(m_levelWarningMinutes) : QString();
    case Kind::LastLevelEnd:
        return lastLevelEnd();
    }
    return {};
}
