#pragma once

#include <QString>

// The clock's logo is logo.jpg in the program folder; a picture the director chose replaces it on a save.
class LogoCopy
{
public:
    static QString installedPath(const QString& programFolder);
    // True when picture is the installed logo itself.
    static bool isInstalled(const QString& picture, const QString& programFolder);
    // Copies picture over logo.jpg. False when it could not, with the old logo left as it was.
    static bool install(const QString& picture, const QString& programFolder);
    static QString failedMessage(const QString& picture);
};
