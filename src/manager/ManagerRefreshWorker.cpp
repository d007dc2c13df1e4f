#include "ManagerRefreshWorker.h"

#include "RefreshFromManager.h"

ManagerRefreshWorker::ManagerRefreshWorker(const ManagerSettings& settings) : m_settings(settings) {}

void ManagerRefreshWorker::run(qint32 tournamentId)
{
    emit done(FetchRefreshCounts(m_settings, tournamentId));
}
