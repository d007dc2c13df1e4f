#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

class BlindStructure;
struct TournamentState;

// Where the night ends by the rule of thumb: at the start of the first level whose big blind is at least
// a twentieth of all chips in play.
struct EstimatedEnd
{
    int level = 0;      // the first level whose big blind is at least totalChips / 20
    qint64 seconds = 0; // clock time until that level starts, breaks included; 0 once it has started

    // currentLevel runs with secondsLeft in it, or, when inBreak, in the break that follows it. Nothing
    // when there are no chips, the level is not in the structure, a big blind on the way is no number
    // (even read as "1.5K" or "2M") or no level reaches the goal.
    static std::optional<EstimatedEnd> estimate(const BlindStructure& structure, int currentLevel,
                                                qint64 secondsLeft, bool inBreak, double totalChips);
    // The same with the structure's big blinds already read (BigBlindValues), as a tick asks for it.
    static std::optional<EstimatedEnd> estimate(const BlindStructure& structure,
                                                const QList<std::optional<double>>& bigBlinds,
                                                int currentLevel, qint64 secondsLeft, bool inBreak,
                                                double totalChips);

    // All chips in play by the effective entries, rebuys and add-ons and the three chip settings;
    // nothing when a count is out of range or no chips are set.
    static std::optional<double> totalChips(const TournamentState& state);

    // The time until the end as hours and minutes, "2:35", rounded to the nearest minute.
    QString inText() const;

    bool operator==(const EstimatedEnd&) const = default;
};
