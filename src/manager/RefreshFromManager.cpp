#include "RefreshFromManager.h"

#include "CountTournament.h"
#include "ManagerConnection.h"
#include "ManagerError.h"
#include "ManagerSettings.h"
#include "ManagerTimeLimits.h"
#include "RunWithinTimeLimit.h"
#include "core/MessageBoxes.h"
#include "core/TournamentState.h"

QString ManagerRefreshFailedMessage()
{
    return QStringLiteral("There was an error while trying to get data from KAVRO\r\n\r\n"
                          "To continue running the tournament; update the clock\r\n"
                          "manually using the function keys.");
}

RefreshResult FetchRefreshCounts(const ManagerSettings& settings, qint32 tournamentId)
{
    RefreshResult result;
    result.TournamentId = tournamentId;
    try {
        ManagerConnection connection(settings);
        const qint16 seats = SeatsPerTable(connection, tournamentId);
        result.Counts = CountTournament(connection, tournamentId, seats);
    } catch (const ManagerError& e) {
        result.Error = e.message();
    } catch (const std::exception& e) {
        result.Error = QString::fromLocal8Bit(e.what());
    }
    return result;
}

RefreshOutcome ApplyRefreshResult(TournamentState& state, const RefreshResult& result, MessageBoxes& boxes,
                                  const RefreshHooks& hooks)
{
    TournamentRecord& t = state.Tournament;
    if (t.Refresh <= 0 || result.TournamentId != t.Tournament_ID) {
        return RefreshOutcome::Skipped;
    }
    if (result.ok()) {
        t.Players = result.Counts->Players;
        t.Entries = result.Counts->Entries;
        t.Rebuys = result.Counts->Rebuys;
        t.Addons = result.Counts->Addons;
        return RefreshOutcome::Updated;
    }
    t.Refresh = 0;
    if (hooks.Pause) {
        hooks.Pause();
    }
    boxes.show(MessageBoxes::Icon::Warning, ManagerRefreshFailedMessage());
    if (hooks.Resume) {
        hooks.Resume();
    }
    return RefreshOutcome::Failed;
}

RefreshOutcome RefreshFromManager(TournamentState& state, const ManagerSettings& settings,
                                  MessageBoxes& boxes, const RefreshHooks& hooks)
{
    if (state.Tournament.Refresh <= 0) {
        return RefreshOutcome::Skipped;
    }
    const qint32 id = state.Tournament.Tournament_ID;
    RefreshResult result;
    try {
        result =
            RunWithinTimeLimit<RefreshResult>([settings, id] { return FetchRefreshCounts(settings, id); },
                                              ManagerTimeLimits::current().watchdogMs);
    } catch (const ManagerError& e) {
        result.TournamentId = id;
        result.Error = e.message();
    }
    return ApplyRefreshResult(state, result, boxes, hooks);
}
