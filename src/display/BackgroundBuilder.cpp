#include "BackgroundBuilder.h"

#include <QThread>
#include <exception>
#include <utility>
#ifdef __GLIBC__
#include <malloc.h>
#endif

BackgroundBuilder::BackgroundBuilder(QObject* parent) : QObject(parent) {}

BackgroundBuilder::~BackgroundBuilder()
{
    m_waiting = false;
    if (m_thread) {
        // The thread's result is posted to this object and discarded with it.
        m_thread->wait();
        delete m_thread;
    }
}

void BackgroundBuilder::request(const QString& backgroundFolder, const QString& name, QSize pixels)
{
    m_next = Request{backgroundFolder, name, pixels, ++m_generation};
    m_waiting = true;
    if (!m_thread) {
        startNext();
    }
}

void BackgroundBuilder::cancel()
{
    ++m_generation;
    m_waiting = false;
}

void BackgroundBuilder::startNext()
{
    m_waiting = false;
    const Request job = m_next;
    m_thread = QThread::create([this, job] {
        BackgroundPicture::Result result;
        try {
            result = BackgroundPicture::build(job.folder, job.name, job.pixels);
        } catch (const std::exception&) {
            result = {BackgroundPicture::Action::Keep, QImage()};
        }
#ifdef __GLIBC__
        // The decoded and the stretched pictures are freed by now; give their pages back, or the clock
        // would hold them for the rest of its run.
        malloc_trim(0);
#endif
        QMetaObject::invokeMethod(
            this,
            [this, generation = job.generation, r = std::move(result)]() mutable {
                finish(generation, std::move(r));
            },
            Qt::QueuedConnection);
    });
    m_thread->start(QThread::LowPriority);
}

void BackgroundBuilder::finish(int generation, BackgroundPicture::Result result)
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    if (m_waiting) {
        startNext();
    }
    if (generation == m_generation && built) {
        built(std::move(result));
    }
}
