#include "UpgradeVersion.h"

#include "core/DecimalNumber.h"

QString UpgradeVersion::VersionString(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString UpgradeVersion::own()
{
    return VersionString(KAVRO_VERSION_MAJOR, KAVRO_VERSION_MINOR, KAVRO_VERSION_PATCH);
}

bool UpgradeVersion::offersUpgrade(const QString& published, const QString& own)
{
    return !DecimalNumber::leading(published).isZero() && published != own;
}
