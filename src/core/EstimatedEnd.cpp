#include "EstimatedEnd.h"

#include "BigBlindValues.h"
#include "BlindStructure.h"
#include "TournamentState.h"

std::optional<EstimatedEnd> EstimatedEnd::estimate(const BlindStructure& structure, int currentLevel,
                                                   qint64 secondsLeft, bool inBreak, double totalChips)
{
    BigBlindValues bigBlinds;
    return estimate(structure, bigBlinds.of(structure), currentLevel, secondsLeft, inBreak, totalChips);
}

std::optional<EstimatedEnd> EstimatedEnd::estimate(const BlindStructure& structure,
                                                   const QList<std::optional<double>>& bigBlinds,
                                                   int currentLevel, qint64 secondsLeft, bool inBreak,
                                                   double totalChips)
{
    if (!(totalChips > 0) || !structure.hasLevel(currentLevel) ||
        bigBlinds.size() <= structure.levelCount()) {
        return std::nullopt;
    }
    const double goal = totalChips / 20.0;
    for (int level = 1; level <= currentLevel; ++level) {
        const auto& big = bigBlinds.at(level);
        if (big && *big >= goal) {
            return EstimatedEnd{level, 0};
        }
    }
    qint64 seconds = qMax<qint64>(0, secondsLeft);
    if (!inBreak) {
        seconds += qMax<qint64>(0, structure.at(currentLevel).BreakMinutes) * 60;
    }
    for (int level = currentLevel + 1; level <= structure.levelCount(); ++level) {
        const BlindLevel& row = structure.at(level);
        const auto& value = bigBlinds.at(level);
        if (!value) {
            return std::nullopt;
        }
        if (*value >= goal) {
            return EstimatedEnd{level, seconds};
        }
        seconds += qint64(row.Minutes) * 60 + qMax<qint64>(0, row.BreakMinutes) * 60;
    }
    return std::nullopt;
}

std::optional<double> EstimatedEnd::totalChips(const TournamentState& state)
{
    const auto entries = state.effectiveEntries();
    const auto rebuys = state.effectiveRebuys();
    const auto addons = state.effectiveAddons();
    if (!entries || !rebuys || !addons) {
        return std::nullopt;
    }
    const TournamentRecord& t = state.Tournament;
    const double total = *entries * t.Buyin_Chips.toDouble() + *rebuys * t.Rebuy_Chips.toDouble() +
                         *addons * t.Addon_Chips.toDouble();
    if (!(total > 0)) {
        return std::nullopt;
    }
    return total;
}

QString EstimatedEnd::inText() const
{
    const qint64 minutes = (seconds + 30) / 60;
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar(u'0'));
}
