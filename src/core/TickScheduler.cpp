#include "TickScheduler.h"

#include "MonotonicClock.h"

TickScheduler::TickScheduler(const MonotonicClock& clock, std::function<void()> tick)
    : m_clock(clock), m_tick(std::move(tick))
{}

void TickScheduler::start()
{
    m_lastSecondMs = m_clock.nowMs();
    m_running = true;
}

int TickScheduler::onTimer()
{
    if (!m_running) {
        return 0;
    }
    const qint64 elapsed = m_clock.nowMs() - m_lastSecondMs;
    if (elapsed < 0) {
        m_lastSecondMs = m_clock.nowMs();
        return 0;
    }
    const qint64 due = (elapsed + EarlyToleranceMs) / 1000;
    m_lastSecondMs += due * 1000;
    for (qint64 i = 0; i < due; ++i) {
        m_tick();
    }
    return int(due);
}
