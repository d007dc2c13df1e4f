#include "StatisticsTexts.h"

#include "FormatNumber.h"

#include <initializer_list>
#include <utility>

namespace {

// The sum of amount x count over the pairs, or nothing on overflow.
std::optional<Money> sumOfProducts(std::initializer_list<std::pair<Money, qint16>> terms)
{
    Money total;
    for (const auto& [amount, count] : terms) {
        const auto product = amount.checkedMultiply(count);
        const auto sum = product ? total.checkedAdd(*product) : std::nullopt;
        if (!sum) {
            return std::nullopt;
        }
        total = *sum;
    }
    return total;
}

} // namespace

QString StatisticsTexts::overflowMarker()
{
    return QStringLiteral("---");
}

StatisticsTexts StatisticsTexts::compute(const TournamentState& state, const QString& currencySymbol)
{
    StatisticsTexts texts;
    const TournamentRecord& t = state.Tournament;
    const QString marker = overflowMarker();
    const auto fail = [&texts](const char* why) {
        if (texts.error.isEmpty()) {
            texts.error = QString::fromLatin1(why);
        }
    };

    texts.lblTitle = t.Title.left(TitleShownMax);

    const auto players = state.effectivePlayers();
    const auto entries = state.effectiveEntries();
    const auto rebuys = state.effectiveRebuys();
    const auto addons = state.effectiveAddons();
    const bool countsFit = players && entries && rebuys && addons;
    if (!countsFit) {
        fail("Overflow: a count with its correction is out of range");
    }
    texts.entries = entries;
    texts.lblPlayers = players && entries ? FormatNumber(qint64(*players), u"##,###") + u'/' +
                                                FormatNumber(qint64(*entries), u"##,###")
                                          : marker;
    if (!countsFit) {
        texts.lblPrize = marker;
        texts.lblStack = marker;
        return texts;
    }

    auto pool = sumOfProducts({{t.Buyin, *entries}, {t.Rebuy, *rebuys}, {t.Addon, *addons}});
    if (pool) {
        pool = pool->checkedAdd(t.Prize_Contribution);
    }
    if (pool) {
        if (*pool < t.Prize_Guarantee) {
            pool = t.Prize_Guarantee;
        }
        texts.pool = Money::fromWhole(pool->roundedWhole());
        texts.lblPrize = currencySymbol + FormatNumber(*pool, u"##,###,##0");
    } else {
        fail("Overflow: the prize pool is out of range");
        texts.lblPrize = marker;
    }

    const auto chips =
        sumOfProducts({{t.Buyin_Chips, *entries}, {t.Rebuy_Chips, *rebuys}, {t.Addon_Chips, *addons}});
    if (!chips) {
        fail("Overflow: the chips in play are out of range");
        texts.lblStack = marker;
        return texts;
    }
    texts.chips = chips;
    texts.averageStack = *players >= 1 ? chips->toDouble() / *players : chips->toDouble();
    texts.lblStack =
        *players >= 1 ? FormatNumber(*texts.averageStack, u"###,##0") : FormatNumber(*chips, u"###,##0");
    return texts;
}
