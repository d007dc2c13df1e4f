#pragma once

#include "ScreenSaverBackend.h"

#include <optional>

// Desktops without an X server to ask (Wayland): an inhibit request to the freedesktop screen-saver
// service on the session bus, held from off to on. The desktop drops it if the program dies.
class DBusScreenSaver : public ScreenSaverBackend
{
public:
    ~DBusScreenSaver() override;
    // Enabled as far as the clock can tell when the service is there to be asked.
    bool isActive() override;
    bool setActive(bool active) override;

private:
    std::optional<unsigned int> m_cookie;
};
