#pragma once

#include "ScreenSaverBackend.h"

#include <QString>
#include <memory>

// The screen-saver switch of the desktop the clock runs on. The clock screen asks at load and switches
// the screen saver off only when it found it on, and back on at a normal unload.
class modScreensaver
{
public:
    // No backend: the screen saver counts as not enabled and nothing is ever switched.
    explicit modScreensaver(std::unique_ptr<ScreenSaverBackend> backend = {});

    // The backend for Qt's platform: the X screen saver and DPMS on "xcb", with an inhibit request to
    // the desktop's screen-saver service when the session has one; the Windows setting on "windows"; the
    // inhibit request alone on other desktops (Wayland); none for "offscreen" and "minimal".
    static std::unique_ptr<ScreenSaverBackend> forPlatform(const QString& platformName);

    bool IsScreenSaverActive();
    bool SetScreenSaverActive(bool active);

private:
    std::unique_ptr<ScreenSaverBackend> m_backend;
};
