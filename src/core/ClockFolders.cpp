#include "ClockFolders.h"

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
    return Program + QDir::separator() + QStringLiteral("darvel.ini");
}
