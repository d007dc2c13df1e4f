#pragma once

// The steps of the clock screen's start-up that belong to the window around the logic. The logic runs
// them in their place among its own (ClockScreenLogic::InitialiseScreen); each that fails is skipped.
class ClockScreenWindow
{
public:
    virtual ~ClockScreenWindow() = default;

    // The program folder's logo.jpg, or no logo.
    virtual void showLogo() = 0;
    // The colour style and the layout of every element at the window's size.
    virtual void UpdateDisplay() = 0;
    // The window's one-second timer.
    virtual void startClockTimer() = 0;
    // From here on the elements keep their proportions when the window's size changes.
    virtual void startAutoSizer() = 0;
    // Maximised, active and focused.
    virtual void showMaximised() = 0;
};
