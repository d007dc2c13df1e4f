#pragma once

#include <QString>
#include <QStringList>

// The entries of one of the dialog's file lists (blinds, sounds, backgrounds): each file shown by its
// name without the pattern's extension, in proper case, and the stored name selected without regard to
// letter case.
struct SettingsFileList
{
    static QString noneEntry() { return QStringLiteral("None"); }

    QStringList entries;
    // The file name behind each entry as found on disk; empty for "None".
    QStringList fileNames;
    int selected = -1;

    // folder ends with the path separator; wildcard is "*" followed by the extension, e.g. "*.wav".
    static SettingsFileList build(const QString& folder, const QString& wildcard, const QString& stored,
                                  bool withNone);

    // speed.blinds.csv with the wildcard "*.blinds.csv" shows as Speed.
    static QString entryText(const QString& fileName, const QString& wildcard);
};
