#include "BlindPlanInputs.h"

qint64 BlindPlanInputs::totalChips() const
{
    return qint64(entries) * startingChips + qint64(rebuys) * rebuyChips + qint64(addons) * addonChips;
}

std::optional<QString> BlindPlanInputs::problem() const
{
    if (chips.isEmpty()) {
        return QStringLiteral("no chips: give the denominations, for example 25,100,500,1000");
    }
    if (entries <= 0) {
        return QStringLiteral("the entries must be at least 1");
    }
    if (startingChips <= 0) {
        return QStringLiteral("the starting chips must be more than 0");
    }
    if (rebuys < 0 || addons < 0 || rebuyChips < 0 || addonChips < 0) {
        return QStringLiteral("rebuys and add-ons cannot be negative");
    }
    if (entries > 100000 || rebuys > 1000000 || addons > 1000000 || startingChips > 1000000000 ||
        rebuyChips > 1000000000 || addonChips > 1000000000) {
        return QStringLiteral("the counts or the chips are too large");
    }
    if (playingMinutes <= 0) {
        return QStringLiteral("the playing time must be more than 0:00");
    }
    if (levelMinutes <= 0 || levelMinutes > 32767) {
        return QStringLiteral("the level length must be from 1 to 32767 minutes");
    }
    if (breakEvery < 0 || breakMinutes < 0 || breakMinutes > 32767) {
        return QStringLiteral("the breaks cannot be negative or longer than 32767 minutes");
    }
    if (depth < MinDepth || depth > MaxDepth) {
        return QStringLiteral("the starting depth must be from %1 to %2 big blinds")
            .arg(MinDepth)
            .arg(MaxDepth);
    }
    if (ante != Ante::None && anteFromLevel < 1) {
        return QStringLiteral("the antes must start at level 1 or later");
    }
    return std::nullopt;
}

bool BlindPlanInputs::setAnte(const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t == QStringLiteral("none")) {
        ante = Ante::None;
        return true;
    }
    const QString style = t.section(u':', 0, 0);
    bool ok = false;
    const int level = t.section(u':', 1).toInt(&ok);
    if (!ok || level < 1 || t.count(u':') != 1) {
        return false;
    }
    if (style == QStringLiteral("classic")) {
        ante = Ante::Classic;
    } else if (style == QStringLiteral("bb")) {
        ante = Ante::BigBlind;
    } else {
        return false;
    }
    anteFromLevel = level;
    return true;
}

QString BlindPlanInputs::anteText() const
{
    switch (ante) {
    case Ante::Classic:
        return QStringLiteral("classic:%1").arg(anteFromLevel);
    case Ante::BigBlind:
        return QStringLiteral("bb:%1").arg(anteFromLevel);
    case Ante::None:
        break;
    }
    return QStringLiteral("none");
}
