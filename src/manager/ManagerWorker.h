#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

// Runs one piece of database work at a time in a thread of its own, so a database that stops answering
// never holds the thread that owns the worker. A thread blocked in a driver call cannot be stopped, so
// work that does not return in time is abandoned: its thread goes on alone and ends with the process.
// The work must therefore own everything it touches (copies of its inputs, its own connection, its
// results behind a shared pointer): nothing of the worker is used by it.
class ManagerWorker : public QObject
{
    Q_OBJECT

public:
    explicit ManagerWorker(QObject* parent = nullptr);
    // Waits for running work up to exitWaitMs, then abandons it.
    ~ManagerWorker() override;

    ManagerWorker(const ManagerWorker&) = delete;
    ManagerWorker& operator=(const ManagerWorker&) = delete;

    // Starts work; false (and nothing started) while earlier work runs. With a watchdog of 0 or more
    // milliseconds, work still running then is abandoned and timedOut() follows (through the event loop).
    bool start(std::function<void()> work, int watchdogMs = -1);
    bool isRunning() const { return m_job != nullptr; }

    // Waits up to ms for the running work. True when it has returned: finished() has then been emitted.
    bool waitFor(int ms);
    // Leaves the running work behind; nothing is emitted for it.
    void abandon();

    int exitWaitMs = 0;

signals:
    // The work returned in time.
    void finished();
    // The work was abandoned by the watchdog.
    void timedOut();

private:
    struct Job;
    std::shared_ptr<Job> m_job;
    QTimer m_watchdog;

    void jobDone(const Job* job);
    void watchdogFired();
};
