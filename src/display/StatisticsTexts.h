#pragma once

#include "core/TournamentState.h"

#include <QString>
#include <optional>

// The texts of the clock screen's statistics: title, players left of entries, total prize pool and
// average stack. A count or sum that overflows shows as overflowMarker() instead of its number, and error
// says what went wrong; the texts that do not depend on it are still worked out.
class StatisticsTexts
{
public:
    std::optional<QString> lblTitle;
    std::optional<QString> lblPlayers;
    std::optional<QString> lblPrize;
    std::optional<QString> lblStack;
    QString error;

    // What the payout list is built from: the entry count and the whole-number pool the prize text shows;
    // unset when they overflow.
    std::optional<qint16> entries;
    std::optional<Money> pool;
    // The chips in play and the average stack, unset when they overflow.
    std::optional<Money> chips;
    std::optional<double> averageStack;

    bool ok() const { return error.isEmpty(); }

    // The most of the title the screen is given: far more than a line can show, and measuring a text
    // costs time in proportion to its length on every change of the layout.
    static constexpr qsizetype TitleShownMax = 1000;

    // Shown where a number does not fit, so the players never see a design caption as a value.
    static QString overflowMarker();

    static StatisticsTexts compute(const TournamentState& state, const QString& currencySymbol);
};
