#pragma once

struct UpgradeContext;

// The start-up version check: asks the upgrade server for its version and, when it differs and the
// director agrees, runs the upgrade window. True when the installer took over and the program must end
// at once, without the exit question.
bool CheckForUpgrade(const UpgradeContext& context);
