#pragma once

#include "core/VirtualKey.h"

#include <QStringList>
#include <QStringView>
#include <optional>

// The remote's commands by name, each the key the director would press at the clock; the clock runs
// them through its key handling, so they keep the same limits and recovery record as the keys.
class RemoteCommand
{
public:
    static std::optional<VirtualKey> key(QStringView name);
    static QStringList names();
    // Commands that move the level; the remote asks before sending them.
    static bool changesLevel(QStringView name);
};
