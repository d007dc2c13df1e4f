#include "ClockApplication.h"
#include "core/AppTitle.h"
#include "core/SteadyClock.h"
#include "display/frmClock.h"
#include "manager/ManagerTimeLimits.h"
#include "network/OpenFileLimit.h"
#include "platform/ProcessEnd.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtSoundPlayer.h"

#include <QApplication>

namespace {

// Everything of the clock's own lives and ends in here, the application object included.
int runClock(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle());
    QApplication::setApplicationVersion(QStringLiteral(KAVRO_VERSION));

    ManagerTimeLimits::takeFromEnvironment();
    QtMessageBoxes boxes;
    SteadyClock clock;
    QtSoundPlayer sounds(clock);
    ClockApplication program(QApplication::applicationDirPath(), boxes, sounds, clock);
    program.onScreenCreated = [&boxes](frmClock* screen) { boxes.setParentWindow(screen); };
    if (const auto exitCode = program.start()) {
        return *exitCode;
    }
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    // The network's connections have a budget sized from this limit; the rest is the clock's own.
    OpenFileLimit::raiseToHard();
    endProcess(runClock(argc, argv));
}
