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

StatisticsTexts StatisticsTexts::compute(const TournamentState& state, const QString& currencySymbol)
{
    StatisticsTexts texts;
    const TournamentRecord& t = state.Tournament;

    const auto players = state.effectivePlayers();
    const auto entries = state.effectiveEntries();
    const auto rebuys = state.effectiveRebuys();
    const auto addons = state.effectiveAddons();
    if (!players || !entries || !rebuys || !addons) {
        texts.error = QStringLiteral("Overflow: a count with its correction is out of range");
        return texts;
    }

    texts.lblTitle = t.Title;
    texts.lblPlayers =
        FormatNumber(qint64(*players), u"##,###") + u'/' + FormatNumber(qint64(*entries), u"##,###");

    auto pool = sumOfProducts({{t.Buyin, *entries}, {t.Rebuy, *rebuys}, {t.Addon, *addons}});
    if (pool) {
        pool = pool->checkedAdd(t.Prize_Contribution);
    }
    if (!pool) {
        texts.error = QStringLiteral("Overflow: the prize pool is out of range");
        return texts;
    }
    if (*pool < t.Prize_Guarantee) {
        pool = t.Prize_Guarantee;
    }
    texts.lblPrize = currencySymbol + FormatNumber(*pool, u"##,###,##0");

    const auto chips =
        sumOfProducts({{t.Buyin_Chips, *entries}, {t.Rebuy_Chips, *rebuys}, {t.Addon_Chips, *addons}});
    if (!chips) {
        texts.error = QStringLiteral("Overflow: the chips in play are out of range");
        return texts;
    }
    texts.lblStack = *players >= 1 ? FormatNumber(chips->toDouble() / *players, u"###,##0")
                                   : FormatNumber(*chips, u"###,##0");
    return texts;
}
