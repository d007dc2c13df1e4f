#include "BlindStructureGenerator.h"

#include "ColourUpNote.h"
#include "RoundBlind.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

struct Amounts
{
    qint64 small = 0;
    qint64 big = 0;
    qint64 ante = 0;
};

// The next big blind: near target, above prev, at most twice prev.
qint64 nextBigBlind(qint64 prev, double target, qint64 chip)
{
    qint64 big = RoundBlind::nearestBigBlind(target, chip);
    big = qMin(big, RoundBlind::bigBlindAtMost(2 * prev, chip));
    if (big <= prev) {
        big = RoundBlind::bigBlindAbove(prev, chip);
    }
    return big;
}

// How many levels it takes from big to the goal, by the largest or the smallest steps.
int levelsToGoal(qint64 big, double goal, qint64 chip, bool fastest)
{
    int levels = 0;
    while (double(big) < goal && levels < BlindStructureGenerator::MaxLevels) {
        const qint64 doubled = RoundBlind::bigBlindAtMost(2 * big, chip);
        big = fastest && doubled > big ? doubled : RoundBlind::bigBlindAbove(big, chip);
        ++levels;
    }
    return levels;
}

QList<qint64> bigBlinds(const BlindPlanInputs& in)
{
    const qint64 chip = in.chips.smallest();
    const double total = double(in.totalChips());
    const double goal = total / 20.0;
    const int steps = BlindStructureGenerator::targetEndLevel(in) - 1;

    QList<qint64> bigs;
    bigs.append(RoundBlind::nearestBigBlind(double(in.startingChips) / in.depth, chip));
    const double overall = std::clamp(std::pow(goal / double(bigs.first()), 1.0 / steps), 1.0, 2.0);

    // Up to the end: each level aims afresh at reaching the goal exactly at the target level, so that
    // rounding never adds up.
    for (int level = 2; level <= steps + 1 && bigs.last() < goal; ++level) {
        const qint64 prev = bigs.last();
        const int left = steps + 2 - level;
        qint64 big = 0;
        if (left == 1) {
            const qint64 atGoal = RoundBlind::bigBlindAtMost(qint64(std::ceil(goal)), chip);
            big = atGoal >= goal ? atGoal : RoundBlind::bigBlindAbove(atGoal, chip);
            big = qMin(big, RoundBlind::bigBlindAtMost(2 * prev, chip));
            if (big <= prev) {
                big = RoundBlind::bigBlindAbove(prev, chip);
            }
        } else {
            // Slow growth rounds down, so that a night with time to spare climbs by the smallest steps
            // rather than arriving early; fast growth rounds to the nearest, as it cannot make up a loss.
            const double ratio = std::pow(goal / double(prev), 1.0 / left);
            const double target = std::min(double(prev) * ratio, 4.0e18);
            big = ratio < 1.5 ? RoundBlind::bigBlindAtMost(qint64(target), chip)
                              : RoundBlind::nearestBigBlind(target, chip);
            big = qMin(big, RoundBlind::bigBlindAtMost(2 * prev, chip));
            if (big <= prev) {
                big = RoundBlind::bigBlindAbove(prev, chip);
            }
            // Rounding can leave a path that must arrive early even by the smallest steps, or late even by
            // doubling: then this step is the smallest or the largest one.
            if (level + levelsToGoal(big, goal, chip, false) < steps + 1) {
                big = RoundBlind::bigBlindAbove(prev, chip);
            } else if (level + levelsToGoal(big, goal, chip, true) > steps + 1) {
                big = RoundBlind::bigBlindAtMost(2 * prev, chip);
            }
            // Not there before its time, when a smaller step is still open.
            if (big >= goal) {
                const qint64 below = RoundBlind::bigBlindAtMost(qint64(std::ceil(goal)) - 1, chip);
                if (below > prev) {
                    big = below;
                }
            }
        }
        bigs.append(big);
    }
    // Past the end, at the same pace, until a tenth of the chips and two levels more.
    qsizetype tenth = -1;
    for (qsizetype i = 0; i < bigs.size() && tenth < 0; ++i) {
        if (double(bigs.at(i)) >= total / 10.0) {
            tenth = i;
        }
    }
    while (bigs.size() < BlindStructureGenerator::MaxLevels && (tenth < 0 || bigs.size() < tenth + 3)) {
        bigs.append(nextBigBlind(bigs.last(), double(bigs.last()) * overall, chip));
        if (tenth < 0 && double(bigs.last()) >= total / 10.0) {
            tenth = bigs.size() - 1;
        }
    }
    return bigs;
}

} // namespace

int BlindStructureGenerator::targetEndLevel(const BlindPlanInputs& inputs)
{
    const int levels = int(std::lround(double(inputs.playingMinutes) / inputs.levelMinutes));
    return qMax(1, levels) + 1;
}

BlindStructure BlindStructureGenerator::generate(const BlindPlanInputs& in)
{
    const qint64 chip = in.chips.smallest();
    const QList<qint64> bigs = bigBlinds(in);
    const qsizetype count = bigs.size();

    QList<Amounts> amounts(count);
    qint64 ante = 0;
    for (qsizetype i = 0; i < count; ++i) {
        Amounts& a = amounts[i];
        a.big = bigs.at(i);
        a.small = a.big / 2;
        if (in.ante != BlindPlanInputs::Ante::None && i + 1 >= in.anteFromLevel) {
            if (in.ante == BlindPlanInputs::Ante::BigBlind) {
                ante = a.big;
            } else {
                // Rounded to the big blind's own step, so it needs no smaller chip than the blinds.
                ante = qMax(ante,
                            RoundBlind::nearestMultiple(double(a.big) / 8.0, RoundBlind::step(a.big, chip)));
            }
            a.ante = ante;
        }
    }

    // gcds[i]: what every amount after level i + 1 is a multiple of.
    QList<qint64> gcds(count + 1, 0);
    for (qsizetype i = count - 1; i >= 0; --i) {
        const Amounts& a = amounts.at(i);
        gcds[i] = std::gcd(std::gcd(gcds.at(i + 1), a.small), std::gcd(a.big, a.ante));
    }

    const bool breaks = in.breakEvery > 0 && in.breakMinutes > 0;
    QList<qint64> inPlay = in.chips.denominations();
    BlindStructure structure;
    for (qsizetype i = 0; i < count; ++i) {
        const Amounts& a = amounts.at(i);
        BlindLevel level;
        level.LevelNumber = qint16(i + 1);
        level.SmallBlind = QString::number(a.small);
        level.BigBlind = QString::number(a.big);
        level.Ante = QString::number(a.ante);
        level.Minutes = qint16(in.levelMinutes);
        const qint64 start = qint64(i) * in.levelMinutes;
        const qint64 end = start + in.levelMinutes;
        if (breaks && i + 1 < count && end / in.breakEvery > start / in.breakEvery) {
            level.BreakMinutes = qint16(in.breakMinutes);
            QList<qint64> out;
            while (inPlay.size() > 1 && gcds.at(i + 1) % inPlay.at(1) == 0) {
                out.append(inPlay.takeFirst());
            }
            level.Note = ColourUpNote::text(out);
        }
        structure.append(level);
    }
    return structure;
}
