#pragma once

#include "core/ClockScreenModel.h"

inline int players(const ClockScreenModel& model)
{
    return model.caption(ScreenElementId::lblPlayers).section(u'/', 0, 0).toInt();
}

inline bool inBreak(const ClockScreenModel& model)
{
    return model.isVisible(ScreenElementId::lblBreakNotice);
}

inline QString minutes(const ClockScreenModel& model)
{
    return model.timer(0).caption + model.timer(1).caption;
}
