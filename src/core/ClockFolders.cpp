#include "ClockFolders.h"

#include "FolderLookup.h"

#include <QDir>

ClockFolders ClockFolders::fromProgramFolder(const QString& programFolder)
{
    const QString program = QDir::toNativeSeparators(programFolder);
    const QChar sep = QDir::separator();
    ClockFolders f;
    f.Program = program;
    f.Blinds = program + sep + QStringLiteral("blinds") + sep;
    f.Sounds = program + sep + QStringLiteral("sounds") + sep;
    f.Background = program + sep + QStringLiteral("background") + sep;
    const qsizetype last = program.lastIndexOf(sep);
    f.Parent = last >= 0 ? program.left(last + 1) : program;
    return f;
}

QString ClockFolders::settingsFile() const
{
    // A program folder brought over from Windows may hold it as "DARVEL.INI"; a new one is "darvel.ini".
    const QString found = FolderLookup::find(Program, QStringLiteral("darvel.ini"));
    return found.isEmpty() ? Program + QDir::separator() + QStringLiteral("darvel.ini")
                           : QDir::toNativeSeparators(found);
}
