#include "BlindStructure.h"
#include "ClockError.h"
#include "ClockFolders.h"
#include "ClockSettingsFile.h"
#include "TournamentState.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("KAVRO Clock"));
    QTextStream out(stdout);

    TournamentState state;
    state.Folders = ClockFolders::fromProgramFolder(QCoreApplication::applicationDirPath());
    try {
        ReadWriteClockSettings(state, QStringLiteral("read"));
    } catch (const ClockError& e) {
        QTextStream(stderr) << "KAVRO Clock: " << e.message() << Qt::endl;
        return 1;
    }
    out << "KAVRO Clock - program folder " << state.Folders.Program << Qt::endl;
    if (state.FirstRun) {
        out << "First run: darvel.ini was created with the defaults." << Qt::endl;
    }
    for (const QString& line : ClockSettingsLines(state)) {
        out << "  " << line << Qt::endl;
    }

    BlindStructure blinds;
    try {
        LoadBlindStructure(state, blinds);
    } catch (const ClockError& e) {
        out << "Blinds: " << e.message() << Qt::endl;
    }
    out << "Blind structure " << state.Tournament.Blinds << ": " << blinds.levelCount() << " levels" << Qt::endl;
    for (int i = 1; i <= blinds.levelCount(); ++i) {
        const BlindLevel& l = blinds.at(i);
        out << QStringLiteral("  %1  %2/%3  ante %4  %5 min").arg(i, 2).arg(l.SmallBlind, l.BigBlind, l.Ante).arg(l.Minutes);
        if (l.hasBreak()) {
            out << QStringLiteral("  then a %1-minute break").arg(l.BreakMinutes);
        }
        out << Qt::endl;
    }
    return 0;
}
