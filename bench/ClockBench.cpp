// The clock screen as the program runs it (offscreen): one steady-state tick, with and without spoken
// announcements, a payout rebuild, and both with the long payout templates of large events.
#include "app/ClockApplication.h"
#include "display/frmClock.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPaintEvent>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void copy(const QString& from, const QString& to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    QFile::copy(from, to);
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

// A payout template for any entry count paying places places: falling shares in steps, so that neighbours
// often share an amount, adding up to about 80%.
QByteArray longTemplate(int places)
{
    QByteArray body = "Payouts\r\nPlaces,1-32767\r\n";
    const int step = qMax(1, places / 100);
    for (int place = 1; place <= places; ++place) {
        const double share = 80.0 / places * (1.5 - double((place - 1) / step) / 100);
        body += QByteArray::number(place) + ',' + QByteArray::number(share, 'f', 4) + "\r\n";
    }
    return body;
}

// A program folder with the shipped sample content and a tournament of 800 entries (99 paid places, or
// payoutPlaces from a long template).
struct RunningClock
{
    QTemporaryDir dir;
    FakeMessageBoxes boxes;
    FakeSoundPlayer sounds;
    FakeClock clock;
    std::unique_ptr<ClockApplication> app;

    explicit RunningClock(bool announcements = false, int payoutPlaces = 0)
    {
        // Nothing is kept, however long the benchmark runs; every question is answered No.
        boxes.record = false;
        boxes.fixedAnswer = false;
        sounds.record = false;
        const QString data = QStringLiteral(KAVRO_SOURCE_DIR "/data/");
        const QString program = dir.filePath("KAVRO/Clock");
        for (const char* f :
             {"blinds/Deepstack.blinds.csv", "sounds/Count.wav", "sounds/End.wav", "background/Blue.jpg"}) {
            copy(data + QLatin1String(f), program + u'/' + QLatin1String(f));
        }
        copy(data + "prize-pool.csv", dir.filePath("KAVRO/prize-pool.csv"));
        if (payoutPlaces > 0) {
            write(dir.filePath("KAVRO/prize-pool.csv"), longTemplate(payoutPlaces));
        }
        const QString db = dir.filePath("KAVRO/manager.db");
        {
            QSqlDatabase conn = QSqlDatabase::addDatabase("QSQLITE", "bench-writer");
            conn.setDatabaseName(db);
            conn.open();
            QSqlQuery q(conn);
            q.exec("CREATE TABLE config (user_win_csymbol INTEGER, hide_tourny INTEGER, auto_program_upgrade "
                   "INTEGER)");
            q.exec("INSERT INTO config VALUES (0, 0, 0)");
        }
        QSqlDatabase::removeDatabase("bench-writer");
        write(dir.filePath("KAVRO/kavro.ini"), "DATABASE=" + db.toUtf8() + "\r\nSQLSERVER=\r\n");
        write(program + "/darvel.ini",
              "Title=Benchmark Open\r\nBlinds=Deepstack.blinds.csv\r\nLevel=1\r\n"
              "Time=--:--\r\nPlayers=600\r\nEntries=800\r\nRebuys=120\r\n"
              "Buyin=100\r\nRebuy=50\r\nBuyin_Chips=20000\r\nRebuy_Chips=10000\r\n"
              "Color_Style=3\r\nBackground=Blue.jpg\r\n" +
                  // A large event's pool, so that a long list's amounts differ.
                  (payoutPlaces > 0 ? QByteArray("Prize_Guarantee=50000000\r\n") : QByteArray()));
        if (announcements) {
            write(program + "/options.ini", "[Voice]\r\nAnnouncements=true\r\nLevel_Warning_Minutes=5\r\n");
        }
        app = std::make_unique<ClockApplication>(program, boxes, sounds, clock);
        app->start();
        app->screen()->logic().clock.setPaused(false);
    }
};

void SteadyStateTick(benchmark::State& state)
{
    RunningClock running;
    frmClock* screen = running.app->screen();
    for (auto _ : state) {
        running.clock.now += 1000;
        screen->clockTicked();
    }
    state.counters["level"] = running.app->state().Tournament.Level;
}
// Bounded so the run stays inside the structure's levels: a finished clock does nothing per tick.
BENCHMARK(SteadyStateTick)->Iterations(20000)->Unit(benchmark::kMicrosecond);

// Sums the pixels that paint events cover in the window and its labels.
class PaintedArea : public QObject
{
public:
    qint64 pixels = 0;
    int events = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++events;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) {
                pixels += qint64(r.width()) * r.height();
            }
        }
        return false;
    }
};

// The tick as the screen shows it: the window shown at width x height (offscreen), the tick, then the
// event loop until its redraw is painted into the window's backing store. The background is ready
// before the first tick.
void TickPainted(benchmark::State& state)
{
    RunningClock running;
    frmClock* screen = running.app->screen();
    // Larger than the offscreen screen: not maximised, or the window would keep the screen's size.
    screen->setWindowState(Qt::WindowNoState);
    screen->setGeometry(0, 0, int(state.range(0)), int(state.range(1)));
    if (!QTest::qWaitForWindowExposed(screen)) {
        state.SkipWithError("the window was not exposed");
        return;
    }
    const QSize pixels = screen->size() * screen->devicePixelRatio();
    // Up to two minutes: under valgrind the 4K stretch alone takes longer than the usual five seconds.
    for (int i = 0; i < 12000 && screen->backgroundPicture().size() != pixels; ++i) {
        QTest::qWait(10);
    }
    if (screen->backgroundPicture().size() != pixels) {
        state.SkipWithError("the background was not built");
        return;
    }
    QCoreApplication::processEvents();
    PaintedArea painted;
    screen->installEventFilter(&painted);
    for (QObject* child : screen->children()) {
        child->installEventFilter(&painted);
    }
    for (auto _ : state) {
        running.clock.now += 1000;
        screen->clockTicked();
        QCoreApplication::processEvents();
    }
    const double ticks = double(state.iterations());
    state.counters["painted_px"] = double(painted.pixels) / ticks;
    state.counters["paint_events"] = double(painted.events) / ticks;
    state.counters["window_px"] = double(pixels.width()) * pixels.height();
}
// 3,000 ticks: from the first level into the third (a level change is among them).
BENCHMARK(TickPainted)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Iterations(3000)
    ->Unit(benchmark::kMicrosecond);

// The same tick with announcements off (0) and on (1). The event loop runs between ticks, untimed, as
// the program's would: it brings the renders back from their thread and redraws.
void TickAnnouncing(benchmark::State& state)
{
    RunningClock running(state.range(0) != 0);
    // A level's few sounds: kept, to count the announcements among them.
    running.sounds.record = true;
    frmClock* screen = running.app->screen();
    for (auto _ : state) {
        running.clock.now += 1000;
        screen->clockTicked();
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["level"] = running.app->state().Tournament.Level;
    state.counters["announced"] = double(running.sounds.played.filter(QStringLiteral("voice-cache")).size());
}
BENCHMARK(TickAnnouncing)->Arg(0)->Arg(1)->Iterations(20000)->Unit(benchmark::kMicrosecond);

void PayoutRebuild99Places(benchmark::State& state)
{
    RunningClock running;
    frmClock* screen = running.app->screen();
    for (auto _ : state) {
        screen->PrizePool();
    }
    state.counters["lines"] = double(screen->model().caption(ScreenElementId::lblPrizePool1).count(u'\n'));
}
BENCHMARK(PayoutRebuild99Places)->Unit(benchmark::kMicrosecond);

// Large events: the tick and the payout rebuild with 1,500 and 100,000 paid places. The list shows nine
// lines and rotates; only those lines are built, and the template is parsed again only when it changes.
void TickLongPayoutList(benchmark::State& state)
{
    RunningClock running(false, int(state.range(0)));
    frmClock* screen = running.app->screen();
    for (auto _ : state) {
        running.clock.now += 1000;
        screen->clockTicked();
    }
    state.counters["lines"] = double(screen->model().caption(ScreenElementId::lblPrizePool1).count(u'\n'));
}
BENCHMARK(TickLongPayoutList)->Arg(1500)->Arg(100000)->Iterations(3000)->Unit(benchmark::kMicrosecond);

void PayoutRebuildLongList(benchmark::State& state)
{
    RunningClock running(false, int(state.range(0)));
    frmClock* screen = running.app->screen();
    for (auto _ : state) {
        screen->PrizePool();
    }
    state.counters["lines"] = double(screen->model().caption(ScreenElementId::lblPrizePool1).count(u'\n'));
}
BENCHMARK(PayoutRebuildLongList)->Arg(1500)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
