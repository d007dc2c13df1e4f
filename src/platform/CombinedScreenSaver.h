#pragma once

#include "ScreenSaverBackend.h"

#include <memory>
#include <vector>

// Several switches for one desktop, each asked and switched on its own: on an X11 desktop session the X
// server blanks by its own timeout, while the desktop's screen-saver service locks by an idle watch of
// its own that only an inhibit request holds off. Only a switch found on is switched off and back on.
class CombinedScreenSaver : public ScreenSaverBackend
{
public:
    explicit CombinedScreenSaver(std::vector<std::unique_ptr<ScreenSaverBackend>> backends);

    bool isActive() override;
    bool setActive(bool active) override;

private:
    std::vector<std::unique_ptr<ScreenSaverBackend>> m_backends;
    std::vector<bool> m_foundOn;
    bool m_asked = false;
};
