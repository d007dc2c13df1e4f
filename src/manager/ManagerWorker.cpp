#include "ManagerWorker.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

struct ManagerWorker::Job
{
    std::mutex lock;
    std::condition_variable returned;
    bool done = false;
    // Cleared under the lock when the worker lets the job go, so the thread never reaches a worker that
    // is gone.
    ManagerWorker* owner = nullptr;
};

ManagerWorker::ManagerWorker(QObject* parent) : QObject(parent)
{
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, &ManagerWorker::watchdogFired);
}

ManagerWorker::~ManagerWorker()
{
    if (m_job && exitWaitMs > 0) {
        const std::shared_ptr<Job> job = m_job;
        std::unique_lock lock(job->lock);
        job->returned.wait_for(lock, std::chrono::milliseconds(exitWaitMs), [&job] { return job->done; });
    }
    abandon();
}

bool ManagerWorker::start(std::function<void()> work, int watchdogMs)
{
    if (m_job) {
        return false;
    }
    auto job = std::make_shared<Job>();
    job->owner = this;
    m_job = job;
    std::thread([job, task = std::move(work)]() mutable {
        task();
        // What the work holds goes here, in its own thread, before anyone hears it is done.
        task = nullptr;
        const std::lock_guard lock(job->lock);
        job->done = true;
        job->returned.notify_all();
        if (ManagerWorker* owner = job->owner) {
            QMetaObject::invokeMethod(
                owner, [owner, job] { owner->jobDone(job.get()); }, Qt::QueuedConnection);
        }
    }).detach();
    if (watchdogMs >= 0) {
        m_watchdog.start(watchdogMs);
    }
    return true;
}

bool ManagerWorker::waitFor(int ms)
{
    if (!m_job) {
        return false;
    }
    const std::shared_ptr<Job> job = m_job;
    {
        std::unique_lock lock(job->lock);
        if (!job->returned.wait_for(lock, std::chrono::milliseconds(qMax(0, ms)),
                                    [&job] { return job->done; })) {
            return false;
        }
    }
    jobDone(job.get());
    return true;
}

void ManagerWorker::abandon()
{
    m_watchdog.stop();
    if (!m_job) {
        return;
    }
    {
        const std::lock_guard lock(m_job->lock);
        m_job->owner = nullptr;
    }
    m_job.reset();
}

void ManagerWorker::jobDone(const Job* job)
{
    // A late word from a job already handled or abandoned.
    if (m_job.get() != job) {
        return;
    }
    abandon();
    emit finished();
}

void ManagerWorker::watchdogFired()
{
    if (!m_job) {
        return;
    }
    bool done = false;
    {
        const std::lock_guard lock(m_job->lock);
        done = m_job->done;
    }
    if (done) {
        jobDone(m_job.get());
        return;
    }
    abandon();
    emit timedOut();
}
