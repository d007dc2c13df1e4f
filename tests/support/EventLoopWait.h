#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <functional>

// Lets events run until done() holds; the deadline only keeps a broken test from hanging.
inline bool runEventsUntil(const std::function<bool()>& done, qint64 timeoutMs = 20000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}
