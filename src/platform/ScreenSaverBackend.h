#pragma once

// One desktop's screen-saver switch. Implementations never throw and never show anything.
class ScreenSaverBackend
{
public:
    virtual ~ScreenSaverBackend() = default;
    // Whether the desktop would blank the screen by itself; false when that cannot be found out.
    virtual bool isActive() = 0;
    // Off keeps the screen from blanking; on undoes exactly what off did. True when the desktop took it.
    virtual bool setActive(bool active) = 0;
};
