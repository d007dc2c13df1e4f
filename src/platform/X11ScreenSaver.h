#pragma once

#include "ScreenSaverBackend.h"

#include <optional>

// The X server's screen saver (a timeout above 0 means enabled) and its display power management, which
// blanks the screen just as well. Off remembers the exact settings it found; on puts them back. Both
// live in the server, so they outlast this program's connection.
class X11ScreenSaver : public ScreenSaverBackend
{
public:
    bool isActive() override;
    bool setActive(bool active) override;

private:
    struct Settings
    {
        int timeout = 0;
        int interval = 0;
        int preferBlanking = 0;
        int allowExposures = 0;
        bool dpmsEnabled = false;
        unsigned short standby = 0;
        unsigned short suspend = 0;
        unsigned short off = 0;
    };
    std::optional<Settings> m_switchedOff;
};
