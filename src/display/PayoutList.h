#pragma once

#include "PayoutTable.h"
#include "core/Money.h"
#include "core/TournamentSnapshot.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

// The two columns of the payout list: places ("1st", "2nd", "4-6" for equal amounts) and amounts, one line
// each, lines joined by CR LF. The box shows nine lines: 1st and eight below it. When the places below 1st
// fit in those eight lines they stand in order; otherwise each rebuild starts after 1st where the fourth
// line below it ended last time, so the list moves on and wraps back to 2nd.
class PayoutList
{
public:
    QString PlacesText;
    QString AmountsText;

    // Amount of each place, element 0 unused: the pool share rounded to a whole number and then, when
    // rounding > 0, to the nearest multiple of rounding (halves up).
    static QList<qint64> amounts(const PayoutTable& table, Money pool, qint16 rounding);

    // Every paid place in place order, grouped as build() groups them, for readers that show the whole
    // list. An entry count below 1 gives no line; an empty table gives "1st" with no amount.
    static QList<PayoutLine> everyPlace(qint16 entries, Money pool, const PayoutTable& table, qint16 rounding,
                                        const QString& currencySymbol);

    // Builds the list; prizeStartPlace carries the rotation from one rebuild to the next. An entry count
    // below 1 gives two empty columns and leaves prizeStartPlace alone. An empty table gives "1st" and no
    // amount.
    static PayoutList build(qint16 entries, Money pool, const PayoutTable& table, qint16 rounding,
                            const QString& currencySymbol, qint16& prizeStartPlace);

    // The whole rebuild from the counts; tableFor supplies the percentages for an entry count (normally
    // LoadPayoutPercentages). An entry count or pool that overflowed (unset) shows the marker in place of
    // the amounts, so nothing is paid out of a number the screen could not show.
    static PayoutList fromCounts(std::optional<qint16> entries, std::optional<Money> pool,
                                 const QString& currencySymbol, qint16 rounding, qint16& prizeStartPlace,
                                 const QString& overflowMarker,
                                 const std::function<PayoutTable(qint16 entries)>& tableFor);
};
