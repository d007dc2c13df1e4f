#include "TournamentFigures.h"

#include "LoadPayoutPercentages.h"
#include "PayoutList.h"
#include "PayoutTemplate.h"
#include "core/BlindStructure.h"
#include "core/BlindTexts.h"
#include "core/ClockError.h"
#include "core/ClockScreenModel.h"
#include "core/LevelClock.h"
#include "core/LevelTime.h"
#include "core/TournamentState.h"

#include <utility>

TournamentFigures::TournamentFigures(const TournamentState& state, const BlindStructure& blinds,
                                     MessageBoxes& boxes, QString currencySymbol)
    : m_state(state), m_blinds(blinds), m_boxes(boxes), m_currency(std::move(currencySymbol))
{}

void TournamentFigures::updateStatistics(ClockScreenModel& model) const
{
    const StatisticsTexts texts = StatisticsTexts::compute(m_state, m_currency);
    using Id = ScreenElementId;
    for (const auto& [id, text] :
         {std::pair{Id::lblTitle, texts.lblTitle}, std::pair{Id::lblPlayers, texts.lblPlayers},
          std::pair{Id::lblPrize, texts.lblPrize}, std::pair{Id::lblStack, texts.lblStack}}) {
        if (text) {
            model.setCaption(id, *text);
        }
    }
    if (!texts.ok()) {
        throw ClockError(texts.error);
    }
}

PayoutTable TournamentFigures::tableFor(qint16 entries)
{
    return LoadPayoutPercentages(entries, m_state.Folders, m_boxes, m_warnings, &m_templates);
}

PayoutTable TournamentFigures::quietTableFor(qint16 entries)
{
    const QString path = PayoutTemplate::find(m_state.Folders);
    return path.isEmpty() ? PayoutTable() : m_templates.read(path, entries).table;
}

void TournamentFigures::prizePool(ClockScreenModel& model, qint16& startPlace)
{
    // From the counts, not the labels: a label that could not show its number must not set the payouts.
    const StatisticsTexts texts = StatisticsTexts::compute(m_state, m_currency);
    const PayoutList list = PayoutList::fromCounts(
        texts.entries, texts.pool, m_currency, m_state.Tournament.Prize_Rounding, startPlace,
        StatisticsTexts::overflowMarker(), [this](qint16 entries) { return tableFor(entries); });
    model.setCaption(ScreenElementId::lblPrizePool1, list.PlacesText);
    model.setCaption(ScreenElementId::lblPrizePool2, list.AmountsText);
}

QList<PayoutLine> TournamentFigures::everyPlace(const StatisticsTexts& texts)
{
    if (!texts.entries || !texts.pool) {
        return {{QStringLiteral("1st"), StatisticsTexts::overflowMarker()}};
    }
    const qint16 rounding = m_state.Tournament.Prize_Rounding;
    PayoutTable table = quietTableFor(*texts.entries);
    if (!m_everyPlace || m_everyPlace->entries != *texts.entries || m_everyPlace->pool != *texts.pool ||
        m_everyPlace->rounding != rounding || !(m_everyPlace->table == table)) {
        QList<PayoutLine> lines =
            PayoutList::everyPlace(*texts.entries, *texts.pool, table, rounding, m_currency);
        m_everyPlace = EveryPlace{*texts.entries, *texts.pool, rounding, std::move(table), std::move(lines)};
    }
    return m_everyPlace->lines;
}

TournamentSnapshot TournamentFigures::snapshot(const LevelClock& clock)
{
    const TournamentRecord& t = m_state.Tournament;
    const StatisticsTexts texts = StatisticsTexts::compute(m_state, m_currency);
    TournamentSnapshot s;
    s.title = texts.lblTitle.value_or(QString());
    s.level = t.Level;
    s.time = clock.shownTime;
    s.secondsLeft = int(LevelTime::seconds(clock.shownTime).value_or(-1));
    s.paused = clock.isPaused();
    s.inBreak = clock.inBreak();
    s.players = m_state.effectivePlayers();
    s.entries = m_state.effectiveEntries();
    s.rebuys = m_state.effectiveRebuys();
    s.addons = m_state.effectiveAddons();
    // The screen's "48/60", taken apart.
    const QString shown = texts.lblPlayers.value_or(QString());
    const qsizetype slash = shown.indexOf(u'/');
    s.playersText = slash < 0 ? shown : shown.left(slash);
    s.entriesText = slash < 0 ? QString() : shown.mid(slash + 1);
    s.totalChips = texts.chips;
    s.averageStack = texts.averageStack;
    s.averageStackText = texts.lblStack.value_or(QString());
    s.prizePool = texts.pool;
    s.prizePoolText = texts.lblPrize.value_or(QString());
    s.payouts = everyPlace(texts);
    s.timePlayed = clock.totalTimeText;
    s.timeToBreak = clock.timeToBreakText;
    s.current = clock.shownLevel;
    s.next = clock.shownNextLevel;
    s.blindsText = BlindsText(clock.shownLevel);
    s.anteText = AnteText(clock.shownLevel);
    s.nextBlindsText = BlindsText(clock.shownNextLevel);
    s.nextAnteText = AnteText(clock.shownNextLevel);
    if (s.totalChips && s.secondsLeft >= 0) {
        s.estimatedEnd = EstimatedEnd::estimate(m_blinds, m_bigBlinds.of(m_blinds), t.Level, s.secondsLeft,
                                                s.inBreak, s.totalChips->toDouble());
    }
    // During a break the level stays the one the break follows: its row holds the break's note.
    if (m_blinds.hasLevel(t.Level) && m_blinds.at(t.Level).hasBreak()) {
        s.colourUp = m_blinds.at(t.Level).Note.trimmed();
    }
    return s;
}
