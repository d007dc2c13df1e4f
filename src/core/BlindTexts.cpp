#include "BlindTexts.h"

QString BlindsText(const std::optional<BlindLevel>& level)
{
    return level ? level->SmallBlind + u'/' + level->BigBlind : QStringLiteral("-/-");
}

QString AnteText(const std::optional<BlindLevel>& level)
{
    return level && level->Ante != QStringLiteral("0") ? level->Ante : QStringLiteral("-");
}
