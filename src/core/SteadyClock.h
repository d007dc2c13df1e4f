#pragma once

#include "MonotonicClock.h"

#include <QElapsedTimer>

// The machine's monotonic clock.
class SteadyClock : public MonotonicClock
{
public:
    SteadyClock() { m_timer.start(); }
    qint64 nowMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};
