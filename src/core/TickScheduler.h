#pragma once

#include <QtGlobal>
#include <functional>

class MonotonicClock;

// Turns the firings of a roughly one-second timer into exactly one tick per second of real time: each
// firing runs one tick for every whole second passed since the last counted one, so seconds lost to a
// busy event loop or a modal dialog are caught up and a late or early timer never makes the clock drift.
class TickScheduler
{
public:
    // A timer that fires this much early still counts its second.
    static constexpr qint64 EarlyToleranceMs = 100;

    TickScheduler(const MonotonicClock& clock, std::function<void()> tick);

    // Counts seconds from now on.
    void start();
    // Runs the ticks that are due; returns how many ran.
    int onTimer();
    bool isRunning() const { return m_running; }
    void stop() { m_running = false; }

private:
    const MonotonicClock& m_clock;
    std::function<void()> m_tick;
    qint64 m_lastSecondMs = 0;
    bool m_running = false;
};
