#pragma once

#include "RefreshResult.h"

#include <QString>
#include <functional>

class MessageBoxes;
struct ManagerSettings;
struct TournamentState;

// What the clock screen does around the refresh error message: pause before it, resume after it.
struct RefreshHooks
{
    std::function<void()> Pause;
    std::function<void()> Resume;
};

enum class RefreshOutcome
{
    Skipped,
    Updated,
    Failed
};

// The warning shown when a recount fails.
QString ManagerRefreshFailedMessage();

// Recounts a tournament in a connection of its own; never throws. Safe in any thread.
RefreshResult FetchRefreshCounts(const ManagerSettings& settings, qint32 tournamentId);

// Puts a recount into the state. A result for another tournament than the linked one, or one arriving
// after the refresh was switched off, is dropped (Skipped). On success the four counts are replaced and
// the variances kept. On failure nothing is counted: Refresh becomes 0 (counting by hand from now on),
// and the warning is shown between Pause and Resume.
RefreshOutcome ApplyRefreshResult(TournamentState& state, const RefreshResult& result, MessageBoxes& boxes,
                                  const RefreshHooks& hooks);

// The synchronous recount: nothing when Refresh is 0 or less, otherwise fetch (waiting no longer than the
// watchdog limit, after which it fails) and apply.
RefreshOutcome RefreshFromManager(TournamentState& state, const ManagerSettings& settings,
                                  MessageBoxes& boxes, const RefreshHooks& hooks);
