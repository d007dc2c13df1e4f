#pragma once

#include "ManagerSettings.h"
#include "ManagerWorker.h"
#include "RefreshResult.h"

#include <QObject>
#include <memory>

// Recounts off the user-interface thread: start() hands the work to a thread of its own and returns at
// once; finished() arrives in the thread that owns the refresher (through its event loop), where the
// clock screen applies it with ApplyRefreshResult. While one recount runs, start() starts no other, so a
// slow database never piles up work from tick after tick. A recount that has not returned within the
// watchdog limit is abandoned and finishes as a failure. Ending the refresher waits for a running
// recount no longer than the exit limit.
class ManagerRefresher : public QObject
{
    Q_OBJECT

public:
    explicit ManagerRefresher(const ManagerSettings& settings, QObject* parent = nullptr);
    ~ManagerRefresher() override;

    // False when a recount is still running (nothing is started then).
    bool start(qint32 tournamentId);
    bool isRunning() const { return m_worker.isRunning(); }
    // Waits up to ms for the running recount; true when finished() has been emitted meanwhile.
    bool waitFor(int ms);

signals:
    void finished(const RefreshResult& result);

private:
    ManagerSettings m_settings;
    ManagerWorker m_worker;
    std::shared_ptr<RefreshResult> m_pending;
    qint32 m_tournamentId = 0;
    int m_watchdogMs = 0;
};
