#include "ManagerRefresher.h"

#include "ManagerRefreshWorker.h"

ManagerRefresher::ManagerRefresher(const ManagerSettings& settings, QObject* parent)
    : QObject(parent), m_worker(new ManagerRefreshWorker(settings))
{
    qRegisterMetaType<RefreshResult>();
    m_thread.setObjectName(QStringLiteral("kavro-manager-refresh"));
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &ManagerRefreshWorker::done, this, &ManagerRefresher::onDone, Qt::QueuedConnection);
    m_thread.start();
}

ManagerRefresher::~ManagerRefresher()
{
    m_thread.quit();
    m_thread.wait();
}

bool ManagerRefresher::start(qint32 tournamentId)
{
    if (m_running) {
        return false;
    }
    m_running = true;
    ManagerRefreshWorker* worker = m_worker;
    QMetaObject::invokeMethod(
        m_worker, [worker, tournamentId] { worker->run(tournamentId); }, Qt::QueuedConnection);
    return true;
}

void ManagerRefresher::onDone(const RefreshResult& result)
{
    m_running = false;
    emit finished(result);
}
