#include "ManagerRefresher.h"

#include "ManagerTimeLimits.h"
#include "RefreshFromManager.h"
#include "RunWithinTimeLimit.h"

ManagerRefresher::ManagerRefresher(const ManagerSettings& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{
    qRegisterMetaType<RefreshResult>();
    m_worker.exitWaitMs = ManagerTimeLimits::current().exitWaitMs;
    connect(&m_worker, &ManagerWorker::finished, this, [this] {
        const RefreshResult result = *m_pending;
        m_pending.reset();
        emit finished(result);
    });
    connect(&m_worker, &ManagerWorker::timedOut, this, [this] {
        m_pending.reset();
        RefreshResult result;
        result.TournamentId = m_tournamentId;
        result.Error = ManagerTimeLimitMessage(m_watchdogMs);
        emit finished(result);
    });
}

ManagerRefresher::~ManagerRefresher() = default;

bool ManagerRefresher::start(qint32 tournamentId)
{
    if (m_worker.isRunning()) {
        return false;
    }
    auto pending = std::make_shared<RefreshResult>();
    m_watchdogMs = ManagerTimeLimits::current().watchdogMs;
    m_tournamentId = tournamentId;
    m_pending = pending;
    m_worker.start([pending, settings = m_settings,
                    tournamentId] { *pending = FetchRefreshCounts(settings, tournamentId); },
                   m_watchdogMs);
    return true;
}

bool ManagerRefresher::waitFor(int ms)
{
    return m_worker.waitFor(ms);
}
