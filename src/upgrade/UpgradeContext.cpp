#include "UpgradeContext.h"

#include "UpgradeVersion.h"

#include <QDir>
#include <QProcess>

UpgradeContext::UpgradeContext(QString folder, MessageBoxes& messageBoxes, const MonotonicClock& monotonic)
    : programFolder(std::move(folder)), boxes(messageBoxes), clock(monotonic), version(UpgradeVersion::own())
{
    // No console and no window of its own is all "hidden" can mean for a detached process outside
    // Windows; the installer shows whatever it wants to show.
    startInstaller = [](const QString& program, const QString& workingFolder) {
        return QProcess::startDetached(program, {}, workingFolder);
    };
}

QString UpgradeContext::defaultBaseUrl()
{
    return QStringLiteral(KAVRO_UPGRADE_URL);
}

QString UpgradeContext::remoteProgramName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("DARVEL.exe");
#else
    return QStringLiteral("darvel");
#endif
}

QString UpgradeContext::installerName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("bootstrap.exe");
#else
    return QStringLiteral("bootstrap");
#endif
}

QString UpgradeContext::programPath(const QString& fileName) const
{
    return programFolder + QDir::separator() + fileName;
}
