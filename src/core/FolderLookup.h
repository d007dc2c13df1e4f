#pragma once

#include <QString>
#include <QStringList>

// File lookups that ignore letter case, as the director's files were named on a system that does, while
// the clock may run on one that does not. Only regular, non-hidden files count.
class FolderLookup
{
public:
    // The full path of the file in folder whose name equals name without regard to case; an exact match
    // wins over others. Empty when there is none.
    static QString find(const QString& folder, const QString& name);
    static bool exists(const QString& folder, const QString& name) { return !find(folder, name).isEmpty(); }

    // Names of the files in folder ending with suffix (case ignored), in name order without regard to case.
    static QStringList filesEndingWith(const QString& folder, const QString& suffix);

    // First letter of every blank-separated word upper case, every other letter lower case.
    static QString properCase(const QString& name);
};
