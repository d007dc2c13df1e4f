#include "PayoutList.h"

#include "FormatNumber.h"
#include "OrdinalSuffix.h"

#include <cmath>
#include <limits>

namespace {

const QString LineBreak = QStringLiteral("\r\n");
constexpr QStringView AmountPattern = u"##,###,###";
// Lines the box shows below 1st.
constexpr int LinesBelowFirst = 8;

// A whole amount in double precision as a money-sized integer; amounts outside the money range count as 0.
qint64 wholeAmount(double value)
{
    constexpr double limit = double(std::numeric_limits<qint64>::max() / Money::Scale);
    return std::isfinite(value) && std::fabs(value) <= limit ? qint64(value) : 0;
}

} // namespace

QList<qint64> PayoutList::amounts(const PayoutTable& table, Money pool, qint16 rounding)
{
    QList<qint64> result(table.placeCount() + 1, 0);
    const double poolPerCent = pool.toDouble() / 100.0;
    for (int i = 1; i <= table.placeCount(); ++i) {
        double amount = std::floor(table.at(i).toDouble() * poolPerCent + 0.5);
        if (rounding > 0) {
            amount = std::floor(amount / rounding + 0.5) * rounding;
        }
        result[i] = wholeAmount(amount);
    }
    return result;
}

QList<PayoutLine> PayoutList::everyPlace(qint16 entries, Money pool, const PayoutTable& table,
                                         qint16 rounding, const QString& currencySymbol)
{
    QList<PayoutLine> lines;
    if (entries < 1) {
        return lines;
    }
    const int n = table.placeCount();
    const QList<qint64> amount = amounts(table, pool, rounding);
    const auto amountText = [&](int place) {
        return currencySymbol + FormatNumber(amount.at(place), AmountPattern);
    };
    lines.reserve(n);
    lines.append({QStringLiteral("1") + OrdinalSuffix(1), n >= 1 ? amountText(1) : QString()});
    for (int k = 2; k <= n; ++k) {
        const int start = k;
        while (k < n && amount.at(k) == amount.at(k + 1)) {
            ++k;
        }
        const QString place = start == k ? QString::number(k) + OrdinalSuffix(qint16(k))
                                         : QString::number(start) + u'-' + QString::number(k);
        lines.append({place, amountText(k)});
    }
    return lines;
}

PayoutList PayoutList::build(qint16 entries, Money pool, const PayoutTable& table, qint16 rounding,
                             const QString& currencySymbol, qint16& prizeStartPlace)
{
    PayoutList list;
    if (entries < 1) {
        return list;
    }
    const int n = table.placeCount();
    const QList<qint64> amount = amounts(table, pool, rounding);
    const auto amountText = [&](int place) {
        return currencySymbol + FormatNumber(amount.at(place), AmountPattern);
    };
    // The last place of the group of equal amounts that starts at k.
    const auto groupEnd = [&](int k) {
        while (k < n && amount.at(k) == amount.at(k + 1)) {
            ++k;
        }
        return k;
    };

    if (prizeStartPlace > n || prizeStartPlace < 2) {
        prizeStartPlace = 2;
    }
    list.PlacesText = QStringLiteral("1") + OrdinalSuffix(1);
    if (n >= 1) {
        list.AmountsText = amountText(1);
    }
    if (n > 1) {
        list.PlacesText += LineBreak;
        list.AmountsText += LineBreak;
    }

    // A list whose lines all fit stands still, in order from 2nd; a longer one rotates. Only the lines
    // the box shows are built, so a long template costs no more per rebuild than a short one.
    int groups = 0;
    for (int k = 2; k <= n && groups <= LinesBelowFirst; k = groupEnd(k) + 1) {
        ++groups;
    }
    const bool fits = groups <= LinesBelowFirst;
    int k = fits ? 2 : prizeStartPlace;
    for (int line = 1; line <= qMin(groups, LinesBelowFirst); ++line) {
        QString place;
        if (k >= n || amount.at(k) != amount.at(k + 1)) {
            place = QString::number(k) + OrdinalSuffix(qint16(k));
        } else {
            const int start = k;
            k = groupEnd(k);
            place = QString::number(start) + u'-' + QString::number(k);
        }
        list.PlacesText += place + LineBreak;
        list.AmountsText += amountText(k) + LineBreak;
        if (line == 4 && !fits) {
            prizeStartPlace = qint16(k);
        }
        if (++k > n) {
            k = 2;
        }
    }
    return list;
}

PayoutList PayoutList::fromCounts(std::optional<qint16> entries, std::optional<Money> pool,
                                  const QString& currencySymbol, qint16 rounding, qint16& prizeStartPlace,
                                  const QString& overflowMarker,
                                  const std::function<PayoutTable(qint16 entries)>& tableFor)
{
    if (!entries || !pool) {
        PayoutList list;
        list.PlacesText = QStringLiteral("1") + OrdinalSuffix(1);
        list.AmountsText = overflowMarker;
        return list;
    }
    const PayoutTable table = tableFor(*entries);
    return build(*entries, *pool, table, rounding, currencySymbol, prizeStartPlace);
}
