#pragma once

#include <QString>
#include <functional>

class MessageBoxes;
class MonotonicClock;
class QWidget;
class fUpgrade;

// What the version check and the upgrade window work with; all of it outlives them.
struct UpgradeContext
{
    UpgradeContext(QString programFolder, MessageBoxes& boxes, const MonotonicClock& clock);

    // Where the upgrade server publishes, ending in "/"; set by the build.
    static QString defaultBaseUrl();
    // The files on the server and in the program folder. The new program is always saved as
    // "DARVEL.upg"; the installer keeps the platform's name.
    static QString remoteProgramName();
    static QString installerName();
    static QString localProgramName() { return QStringLiteral("DARVEL.upg"); }

    QString programFolder; // no trailing separator
    MessageBoxes& boxes;
    const MonotonicClock& clock;
    QString baseUrl = defaultBaseUrl();
    QString version;
    QWidget* parent = nullptr;
    // Starts the installer without waiting for it; false when it could not be started.
    std::function<bool(const QString& program, const QString& workingFolder)> startInstaller;
    // True once the clock has closed: a version check still running then ends quietly.
    std::function<bool()> clockClosed;
    // Shows the upgrade window modally; tests drive it instead.
    std::function<void(fUpgrade&)> showDialog;

    QString programPath(const QString& fileName) const;
};
