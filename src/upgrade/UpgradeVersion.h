#pragma once

#include <QString>

// The program's own version and the test of the version the upgrade server publishes.
class UpgradeVersion
{
public:
    static QString VersionString(int major, int minor, int revision);
    // This build's version.
    static QString own();
    // Any published text with a leading number other than 0 that is not exactly the own version offers
    // an upgrade: an older version or a stray line break counts too, an error page does not.
    static bool offersUpgrade(const QString& published, const QString& own);
};
