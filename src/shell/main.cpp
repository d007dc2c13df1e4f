#include "AppTitle.h"
#include "ClockApplication.h"
#include "QtMessageBoxes.h"
#include "QtSoundPlayer.h"
#include "SteadyClock.h"
#include "frmClock.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle());
    QApplication::setApplicationVersion(QStringLiteral(KAVRO_VERSION));

    QtMessageBoxes boxes;
    QtSoundPlayer sounds;
    SteadyClock clock;
    ClockApplication program(QApplication::applicationDirPath(), boxes, sounds, clock);
    program.onScreenCreated = [&boxes](frmClock* screen) { boxes.setParentWindow(screen); };
    if (const auto exitCode = program.start()) {
        return *exitCode;
    }
    return QApplication::exec();
}
