#pragma once

#include "core/TournamentState.h"

#include <QString>
#include <optional>

// The texts of the clock screen's statistics: title, players left of entries, total prize pool and
// average stack. An overflow of the counts or sums stops the work: the texts worked out before it are
// kept, the rest stay unset, and error says what went wrong.
class StatisticsTexts
{
public:
    std::optional<QString> lblTitle;
    std::optional<QString> lblPlayers;
    std::optional<QString> lblPrize;
    std::optional<QString> lblStack;
    QString error;

    bool ok() const { return error.isEmpty(); }

    static StatisticsTexts compute(const TournamentState& state, const QString& currencySymbol);
};
