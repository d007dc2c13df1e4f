#pragma once

#include <QtGlobal>

// What counts as a "round" blind for its size. Amounts up to 100 go in steps of the smallest chip; above
// that the step is the largest of 5, 25, 100, 500, 1000, 5000, 10000, 50000, ... that is at most a tenth
// of the amount, and always a multiple of the smallest chip. A big blind is a multiple of twice its step,
// so that its half, the small blind, is round too. Each step divides every larger one, so a multiple of a
// larger amount's step is a multiple of every smaller amount's step.
class RoundBlind
{
public:
    static qint64 step(qint64 amount, qint64 smallestChip);
    static bool isRound(qint64 amount, qint64 smallestChip);
    static bool isRoundBigBlind(qint64 bigBlind, qint64 smallestChip);

    // The largest round big blind at most limit; 0 when there is none.
    static qint64 bigBlindAtMost(qint64 limit, qint64 smallestChip);
    // The smallest round big blind above bigBlind.
    static qint64 bigBlindAbove(qint64 bigBlind, qint64 smallestChip);
    // The round big blind nearest target, at least twice the smallest chip.
    static qint64 nearestBigBlind(double target, qint64 smallestChip);
    // amount rounded to the nearest multiple of unit, at least one unit.
    static qint64 nearestMultiple(double amount, qint64 unit);
};
