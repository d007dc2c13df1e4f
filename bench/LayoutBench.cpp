// The background picture at full-screen sizes and one resize pass of the clock screen, offscreen.
#include "core/BlindStructure.h"
#include "core/TournamentState.h"
#include "display/BackgroundPicture.h"
#include "display/ClockScreenContext.h"
#include "display/frmClock.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString Backgrounds = QStringLiteral(KAVRO_SOURCE_DIR "/data/background/");

void RefreshBackground(benchmark::State& state)
{
    const QSize size(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(BackgroundPicture::build(Backgrounds, QStringLiteral("Blue.jpg"), size));
    }
}
BENCHMARK(RefreshBackground)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void ClockScreenResizePass(benchmark::State& state)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Clock/background"));
    QDir(dir.path()).mkpath(QStringLiteral("Clock/blinds"));
    QFile::copy(Backgrounds + QStringLiteral("Blue.jpg"),
                dir.path() + QStringLiteral("/Clock/background/Blue.jpg"));
    QFile::copy(QStringLiteral(KAVRO_SOURCE_DIR "/data/blinds/Deepstack.blinds.csv"),
                dir.path() + QStringLiteral("/Clock/blinds/Deepstack.blinds.csv"));
    TournamentState tournament;
    tournament.Folders = ClockFolders::fromProgramFolder(dir.path() + QStringLiteral("/Clock"));
    tournament.Display.Background = QStringLiteral("Blue.jpg");
    tournament.Display.Color_Style = 3;
    tournament.Tournament.Blinds = QStringLiteral("Deepstack.blinds.csv");
    tournament.Tournament.Level = 1;
    tournament.Tournament.Time = QStringLiteral("--:--");
    BlindStructure blinds;
    FakeMessageBoxes boxes;
    boxes.record = false;
    boxes.fixedAnswer = true;
    FakeSoundPlayer sounds;
    sounds.record = false;
    FakeClock clock;
    frmClock screen(ClockScreenContext(tournament, blinds, boxes, sounds, clock));
    screen.load();
    screen.clockTick().stop();
    screen.setWindowState(Qt::WindowNoState);
    bool large = false;
    for (auto _ : state) {
        large = !large;
        screen.setGeometry(large ? QRect(0, 0, 1920, 1080) : QRect(0, 0, 1280, 720));
        QApplication::processEvents();
        // The background is stretched on its own thread; the pass ends when it is shown.
        while (screen.isBuildingBackground()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    screen.hide();
}
BENCHMARK(ClockScreenResizePass)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
