#pragma once

#include "core/MonotonicClock.h"

// A monotonic clock that moves only when the test says so.
class FakeClock : public MonotonicClock
{
public:
    qint64 now = 0;
    qint64 nowMs() const override { return now; }
    void advance(qint64 ms) { now += ms; }
};
