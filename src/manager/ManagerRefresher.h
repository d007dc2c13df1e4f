#pragma once

#include "ManagerSettings.h"
#include "RefreshResult.h"

#include <QObject>
#include <QThread>

class ManagerRefreshWorker;

// Recounts off the user-interface thread: start() hands the work to a thread of its own and returns at
// once; finished() arrives in the thread that owns the refresher (through its event loop), where the
// clock screen applies it with ApplyRefreshResult. While one recount runs, start() starts no other, so a
// slow database never piles up work from tick after tick.
class ManagerRefresher : public QObject
{
    Q_OBJECT

public:
    explicit ManagerRefresher(const ManagerSettings& settings, QObject* parent = nullptr);
    ~ManagerRefresher() override;

    // False when a recount is still running (nothing is started then).
    bool start(qint32 tournamentId);
    bool isRunning() const { return m_running; }

signals:
    void finished(const RefreshResult& result);

private:
    QThread m_thread;
    ManagerRefreshWorker* m_worker;
    bool m_running = false;

    void onDone(const RefreshResult& result);
};
