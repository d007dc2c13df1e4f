#include "FolderLookup.h"

#include <QDir>
#include <QFileInfo>

namespace {

QStringList regularFiles(const QString& folder)
{
    if (folder.isEmpty()) {
        return {};
    }
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

} // namespace

QString FolderLookup::find(const QString& folder, const QString& name)
{
    if (name.isEmpty() || name.contains(u'/') || name.contains(QDir::separator())) {
        return {};
    }
    const QDir dir(folder);
    const QFileInfo exact(dir.filePath(name));
    if (exact.isFile() && !exact.isHidden()) {
        return exact.filePath();
    }
    for (const QString& entry : regularFiles(folder)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return dir.filePath(entry);
        }
    }
    return {};
}

QStringList FolderLookup::filesEndingWith(const QString& folder, const QString& suffix)
{
    QStringList names;
    for (const QString& entry : regularFiles(folder)) {
        if (entry.endsWith(suffix, Qt::CaseInsensitive)) {
            names.append(entry);
        }
    }
    return names;
}

QString FolderLookup::properCase(const QString& name)
{
    QString out = name;
    bool wordStart = true;
    for (QChar& c : out) {
        c = wordStart ? c.toUpper() : c.toLower();
        wordStart = c == u' ';
    }
    return out;
}
