#pragma once

#include "ScreenElementId.h"

#include <QString>

// What the rest of the program asks of the clock screen, e.g. after the settings were saved. Each redraws
// what it changed.
class ClockScreen
{
public:
    virtual ~ClockScreen() = default;

    virtual void ColorStyle() = 0;
    // Rebuilds the background picture at the window's size.
    virtual void RefreshBackground() = 0;
    // Players, prize pool and average stack from the tournament's counts.
    virtual void UpdateStatistics() = 0;
    virtual void PrizePool() = 0;
    virtual void CountDown() = 0;
    virtual void SetBlind(int level) = 0;
    virtual void setCaption(ScreenElementId id, const QString& caption) = 0;
    // The program folder's logo.jpg, or no logo.
    virtual void showLogo() = 0;
};
