#pragma once

#include "ScreenSaverBackend.h"

// The Windows setting: read from the machine's default user profile, switched for the running desktop
// only (broadcast, not written to the profile).
class WindowsScreenSaver : public ScreenSaverBackend
{
public:
    bool isActive() override;
    bool setActive(bool active) override;
};
