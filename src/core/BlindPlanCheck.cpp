#include "BlindPlanCheck.h"

#include "BlindAmount.h"
#include "BlindStructure.h"
#include "ChipSet.h"
#include "ColourUpNote.h"

#include <cmath>

namespace {

bool payable(double amount, qint64 smallestInPlay)
{
    if (amount == 0) {
        return true;
    }
    if (smallestInPlay <= 0 || amount != std::floor(amount)) {
        return false;
    }
    return std::fmod(amount, double(smallestInPlay)) == 0;
}

} // namespace

QStringList BlindPlanCheck::warnings(const BlindStructure& structure, const ChipSet& chips)
{
    QStringList out;
    QList<qint64> inPlay = chips.denominations();
    std::optional<double> previousSmall;
    std::optional<double> previousBig;
    for (int i = 1; i <= structure.levelCount(); ++i) {
        const BlindLevel& level = structure.at(i);
        const auto small = BlindAmount::value(level.SmallBlind);
        const auto big = BlindAmount::value(level.BigBlind);
        const auto ante = BlindAmount::value(level.Ante);
        const qint64 smallest = inPlay.value(0);
        for (const auto& [value, text, name] :
             {std::tuple{small, level.SmallBlind, "small blind"},
              std::tuple{big, level.BigBlind, "big blind"}, std::tuple{ante, level.Ante, "ante"}}) {
            if (value && !chips.isEmpty() && !payable(*value, smallest)) {
                out.append(
                    QStringLiteral("Level %1: the %2 %3 cannot be paid with the chips in play (smallest %4)")
                        .arg(i)
                        .arg(QString::fromLatin1(name), text)
                        .arg(smallest));
            }
        }
        if ((small && previousSmall && *small < *previousSmall) ||
            (big && previousBig && *big < *previousBig)) {
            out.append(QStringLiteral("Level %1: the blinds go down").arg(i));
        }
        if (ante && big && *ante > *big) {
            out.append(QStringLiteral("Level %1: the ante is above the big blind").arg(i));
        }
        previousSmall = small ? small : previousSmall;
        previousBig = big ? big : previousBig;
        if (level.hasBreak()) {
            for (const qint64 d : ColourUpNote::denominations(level.Note)) {
                if (inPlay.size() > 1) {
                    inPlay.removeOne(d);
                }
            }
        }
    }
    return out;
}
