#pragma once

#include "RgbColour.h"

class ClockScreenModel;

// Places every element of the clock screen in its window from a few anchors and the elements' current
// sizes: logo top left, level panel top right, title centred at the top, the digits in a row below, the
// blinds panels under them, the payout box left and the totals box right.
class ProvisionalLayout
{
public:
    // Returns the height of one payout line.
    static int apply(ClockScreenModel& screen, RgbColour digitColour, int prizeLineCount);
};
