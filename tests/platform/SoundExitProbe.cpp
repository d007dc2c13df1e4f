// Plays a sound, lets it run for the given milliseconds, and ends the way the clock ends.
// Usage: sound_exit_probe <file.wav> <milliseconds>; exits 3 when there is no sound output to play to.
#include "core/SteadyClock.h"
#include "platform/ProcessEnd.h"
#include "platform/QtSoundPlayer.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QTimer>

namespace {

int playAndQuit(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3 || QMediaDevices::defaultAudioOutput().isNull()) {
        return 3;
    }
    SteadyClock clock;
    QtSoundPlayer player(clock);
    player.play(QString::fromLocal8Bit(argv[1]));
    QTimer::singleShot(QByteArray(argv[2]).toInt(), &app, &QCoreApplication::quit);
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    endProcess(playAndQuit(argc, argv));
}
