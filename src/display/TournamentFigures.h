#pragma once

#include "PayoutTable.h"
#include "PayoutTemplateCache.h"
#include "PayoutTemplateWarnings.h"
#include "StatisticsTexts.h"
#include "core/BigBlindValues.h"
#include "core/TournamentSnapshot.h"

#include <QString>
#include <optional>

class BlindStructure;
class ClockScreenModel;
class LevelClock;
class MessageBoxes;
struct TournamentState;

// The figures worked out from the tournament's counts: the statistics and payout texts of the clock
// screen, and the snapshot every other reader takes the tournament from.
class TournamentFigures
{
public:
    TournamentFigures(const TournamentState& state, const BlindStructure& blinds, MessageBoxes& boxes,
                      QString currencySymbol);

    const QString& currencySymbol() const { return m_currency; }

    // Title, players, prize pool and average stack on the screen; throws ClockError when a count or sum
    // overflowed, after the texts that could be worked out are shown.
    void updateStatistics(ClockScreenModel& model) const;
    // The two payout columns, rotated on from startPlace; a template problem is shown once.
    void prizePool(ClockScreenModel& model, qint16& startPlace);

    TournamentSnapshot snapshot(const LevelClock& clock);

private:
    const TournamentState& m_state;
    const BlindStructure& m_blinds;
    MessageBoxes& m_boxes;
    QString m_currency;
    PayoutTemplateWarnings m_warnings;
    PayoutTemplateCache m_templates;
    // The structure's big blinds as numbers for the estimated end, read again only where a text changed.
    BigBlindValues m_bigBlinds;

    // The last whole payout list and what it was worked out from: a long list costs a rebuild only when
    // a count, the pool or the template changes.
    struct EveryPlace
    {
        qint16 entries = 0;
        Money pool;
        qint16 rounding = 0;
        PayoutTable table;
        QList<PayoutLine> lines;
    };
    std::optional<EveryPlace> m_everyPlace;

    PayoutTable tableFor(qint16 entries);
    // The table without a message: the screen's rebuild reports the template's problems.
    PayoutTable quietTableFor(qint16 entries);
    QList<PayoutLine> everyPlace(const StatisticsTexts& texts);
};
