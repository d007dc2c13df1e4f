#include "SettingsFileList.h"

#include "ListFolderFiles.h"
#include "core/FolderLookup.h"

QString SettingsFileList::entryText(const QString& fileName, const QString& wildcard)
{
    // Only the extension is cut, not everything after the first full stop: a name with more full stops
    // then still finds its own file when the entry is looked up again as entry + extension.
    const QString extension = wildcard.startsWith(u'*') ? wildcard.mid(1) : wildcard;
    QString base = fileName;
    if (!extension.isEmpty() && base.endsWith(extension, Qt::CaseInsensitive)) {
        base.chop(extension.size());
    } else if (const qsizetype dot = base.indexOf(u'.'); dot >= 0) {
        base.truncate(dot);
    }
    return FolderLookup::properCase(base);
}

SettingsFileList SettingsFileList::build(const QString& folder, const QString& wildcard,
                                         const QString& stored, bool withNone)
{
    SettingsFileList list;
    if (withNone) {
        list.entries.append(noneEntry());
        list.fileNames.append(QString());
    }
    QStringList names = ListFolderFiles(folder + wildcard).split(QStringLiteral("\r\n"));
    names.removeLast();
    for (const QString& name : names) {
        list.entries.append(entryText(name, wildcard));
        list.fileNames.append(name);
        if (name.compare(stored, Qt::CaseInsensitive) == 0) {
            list.selected = int(list.entries.size()) - 1;
        }
    }
    if (list.selected < 0 && !list.entries.isEmpty()) {
        list.selected = 0;
    }
    return list;
}
