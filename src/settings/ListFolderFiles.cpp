#include "ListFolderFiles.h"

#include <QDir>

QString ListFolderFiles(const QString& pattern)
{
    const qsizetype cut = qMax(pattern.lastIndexOf(u'/'), pattern.lastIndexOf(QDir::separator()));
    const QString folder = cut < 0 ? QStringLiteral(".") : pattern.left(cut + 1);
    const QString wildcard = pattern.mid(cut + 1);
    if (wildcard.isEmpty()) {
        return {};
    }
    QDir dir(folder);
    dir.setNameFilters({wildcard});
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    QString names;
    for (const QString& name : dir.entryList()) {
        names += name + QStringLiteral("\r\n");
    }
    return names;
}
