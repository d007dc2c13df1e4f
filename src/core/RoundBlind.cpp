#include "RoundBlind.h"

#include <cmath>
#include <limits>
#include <numeric>

namespace {

qint64 niceStep(qint64 amount)
{
    if (amount <= 100) {
        return 1;
    }
    qint64 step = 5;
    qint64 next = 25;
    bool timesTwo = false;
    while (next * 10 <= amount) {
        step = next;
        if (next < 100) {
            next = next == 25 ? 100 : next * 5;
        } else {
            next = timesTwo ? next * 2 : next * 5;
            timesTwo = !timesTwo;
        }
    }
    return step;
}

} // namespace

qint64 RoundBlind::step(qint64 amount, qint64 smallestChip)
{
    return std::lcm(niceStep(amount), qMax<qint64>(1, smallestChip));
}

bool RoundBlind::isRound(qint64 amount, qint64 smallestChip)
{
    return amount > 0 && amount % step(amount, smallestChip) == 0;
}

bool RoundBlind::isRoundBigBlind(qint64 bigBlind, qint64 smallestChip)
{
    return bigBlind > 0 && bigBlind % (2 * step(bigBlind, smallestChip)) == 0;
}

qint64 RoundBlind::bigBlindAtMost(qint64 limit, qint64 smallestChip)
{
    if (limit <= 0) {
        return 0;
    }
    // A multiple of the limit's unit is a multiple of the unit of every smaller amount.
    const qint64 unit = 2 * step(limit, smallestChip);
    return limit / unit * unit;
}

qint64 RoundBlind::bigBlindAbove(qint64 bigBlind, qint64 smallestChip)
{
    const qint64 from = qMax<qint64>(bigBlind, 0) + 1;
    const qint64 unit = 2 * step(from, smallestChip);
    qint64 candidate = (from + unit - 1) / unit * unit;
    while (!isRoundBigBlind(candidate, smallestChip)) {
        candidate += unit;
    }
    return candidate;
}

qint64 RoundBlind::nearestBigBlind(double target, qint64 smallestChip)
{
    const qint64 floorChip = 2 * qMax<qint64>(1, smallestChip);
    if (!(target > double(floorChip))) {
        return bigBlindAbove(floorChip - 1, smallestChip);
    }
    const double capped = qMin(target, double(std::numeric_limits<qint64>::max() / 4));
    const qint64 below = bigBlindAtMost(qint64(std::floor(capped)), smallestChip);
    const qint64 above = bigBlindAbove(below, smallestChip);
    if (below <= 0) {
        return above;
    }
    return capped - double(below) < double(above) - capped ? below : above;
}

qint64 RoundBlind::nearestMultiple(double amount, qint64 unit)
{
    const qint64 n = qint64(std::llround(amount / double(unit)));
    return qMax<qint64>(1, n) * unit;
}
