#include "ClockSnapshot.h"

#include "core/StepTimeText.h"

int ClockSnapshot::secondsLeft() const
{
    if (!time.contains(u':') || time.contains(u'-')) {
        return -1;
    }
    return int(TimeTextLeft(time) * 60 + TimeTextRight(time));
}
