#include "AnnouncementText.h"

#include "core/BlindStructure.h"

#include <algorithm>

namespace {

using Kind = AnnouncementEvent::Kind;

// The digits of "1,234.5": a comma followed by exactly three digits separates thousands, any other
// comma is a decimal comma.
QString plainNumber(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u',') {
            qsizetype digits = 0;
            while (i + 1 + digits < text.size() && text.at(i + 1 + digits).isDigit()) {
                ++digits;
            }
            if (digits != 3) {
                out += u'.';
            }
            continue;
        }
        out += c;
    }
    return out;
}

// Moves the decimal point of a "123.45" number places to the right.
QString shifted(const QString& number, int places)
{
    QString whole = number.section(u'.', 0, 0);
    QString fraction = number.section(u'.', 1, 1);
    while (places-- > 0) {
        whole += fraction.isEmpty() ? QChar(u'0') : fraction.at(0);
        fraction = fraction.mid(1);
    }
    while (whole.size() > 1 && whole.startsWith(u'0')) {
        whole.remove(0, 1);
    }
    while (fraction.endsWith(u'0')) {
        fraction.chop(1);
    }
    if (whole.isEmpty()) {
        whole = QStringLiteral("0");
    }
    return fraction.isEmpty() ? whole : whole + u'.' + fraction;
}

} // namespace

QString AnnouncementText::spokenAmount(const QString& caption)
{
    QString kept;
    int places = 0;
    for (const QChar c : caption) {
        if (c.isDigit() || c == u'.' || c == u',') {
            kept += c;
        } else if (c.toUpper() == u'K') {
            places = 3;
        } else if (c.toUpper() == u'M') {
            places = 6;
        }
    }
    kept = plainNumber(kept);
    if (!std::any_of(kept.begin(), kept.end(), [](QChar c) { return c.isDigit(); })) {
        return {};
    }
    // "1.000.000": full stops as thousands separators.
    if (kept.count(u'.') > 1) {
        kept.remove(u'.');
    }
    const QString amount = shifted(kept, places);
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
        return row.hasBreak() ? breakStart(row.BreakMinutes) : QString();
    case Kind::BreakWarning:
        return row.BreakMinutes > 1 ? breakWarning() : QString();
    case Kind::LevelWarning:
        return m_levelWarningMinutes > 0 ? levelWarning(m_levelWarningMinutes) : QString();
    case Kind::LastLevelEnd:
        return lastLevelEnd();
    }
    return {};
}
