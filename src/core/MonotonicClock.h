#pragma once

#include <QtGlobal>

// Milliseconds from an arbitrary start that never jump; the level clock keeps time by it, so tests can
// run hours of a tournament in an instant.
class MonotonicClock
{
public:
    virtual ~MonotonicClock() = default;
    virtual qint64 nowMs() const = 0;
};
