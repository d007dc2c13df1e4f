#pragma once

#include "core/DesktopOpener.h"

// The desktop's own file associations (xdg-open on Linux, the shell's "open" on Windows).
class QtDesktopOpener : public DesktopOpener
{
public:
    bool open(const QString& path) override;
};
