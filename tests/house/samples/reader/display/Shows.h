#pragma once

#include "core/ClockScreenModel.h"

// The screen itself may read its captions.
inline QString shown(const ClockScreenModel& model)
{
    return model.caption(ScreenElementId::lblTitle);
}
