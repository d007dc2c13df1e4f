// Start-up and the running clock on hostile but valid files: a 10 MB title and a 100,000-place payout
// template, both read from the program's own folder as at a real start.
#include "app/ClockApplication.h"
#include "display/PayoutTemplate.h"
#include "display/frmClock.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

QByteArray hugeTitle()
{
    return QByteArray(10 * 1024 * 1024, 'W');
}

QByteArray longTemplate()
{
    QByteArray bytes = "Payouts\r\nPlace,2-32767\r\n";
    for (int place = 1; place <= 100000; ++place) {
        bytes += QByteArray::number(place) + ",0.001\r\n";
    }
    return bytes;
}

// A program folder with the shipped blinds, a manager database without tournaments and 800 entries.
struct HostileFolder
{
    QTemporaryDir dir;
    QString program = dir.filePath("KAVRO/Clock");

    HostileFolder(const QByteArray& title, const QByteArray& payoutTemplate)
    {
        const QString data = QStringLiteral(KAVRO_SOURCE_DIR "/data/");
        QDir().mkpath(program + "/blinds");
        QFile::copy(data + "blinds/Deepstack.blinds.csv", program + "/blinds/Deepstack.blinds.csv");
        if (payoutTemplate.isEmpty()) {
            QFile::copy(data + "prize-pool.csv", dir.filePath("KAVRO/prize-pool.csv"));
        } else {
            write(dir.filePath("KAVRO/prize-pool.csv"), payoutTemplate);
        }
        const QString db = dir.filePath("KAVRO/manager.db");
        {
            QSqlDatabase conn = QSqlDatabase::addDatabase("QSQLITE", "hostile-bench-writer");
            conn.setDatabaseName(db);
            conn.open();
            QSqlQuery q(conn);
            q.exec("CREATE TABLE config (user_win_csymbol INTEGER, hide_tourny INTEGER, auto_program_upgrade "
                   "INTEGER)");
            q.exec("INSERT INTO config VALUES (0, 0, 0)");
        }
        QSqlDatabase::removeDatabase("hostile-bench-writer");
        write(dir.filePath("KAVRO/kavro.ini"), "DATABASE=" + db.toUtf8() + "\r\nSQLSERVER=\r\n");
        write(program + "/darvel.ini",
              "Title=" + title +
                  "\r\nBlinds=Deepstack.blinds.csv\r\nLevel=1\r\nTime=--:--\r\n"
                  "Players=600\r\nEntries=800\r\nBuyin=100\r\nBuyin_Chips=20000\r\n");
    }
};

struct Running
{
    FakeMessageBoxes boxes;
    FakeSoundPlayer sounds;
    FakeClock clock;
    std::unique_ptr<ClockApplication> app;

    explicit Running(const HostileFolder& folder)
    {
        boxes.record = false;
        boxes.fixedAnswer = false;
        sounds.record = false;
        app = std::make_unique<ClockApplication>(folder.program, boxes, sounds, clock);
        app->start();
    }
};

// 0: the 10 MB title; 1: the 100,000-place template.
HostileFolder folderFor(const benchmark::State& state)
{
    return state.range(0) == 0 ? HostileFolder(hugeTitle(), {})
                               : HostileFolder("Benchmark Open", longTemplate());
}

void StartupWithHostileFiles(benchmark::State& state)
{
    const HostileFolder folder = folderFor(state);
    for (auto _ : state) {
        Running running(folder);
        benchmark::DoNotOptimize(running.app->screen());
        state.PauseTiming();
        running.app.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(StartupWithHostileFiles)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

void TickWithHostileFiles(benchmark::State& state)
{
    const HostileFolder folder = folderFor(state);
    Running running(folder);
    running.app->screen()->logic().clock.setPaused(false);
    frmClock* screen = running.app->screen();
    for (auto _ : state) {
        running.clock.now += 1000;
        screen->clockTicked();
    }
}
BENCHMARK(TickWithHostileFiles)->Arg(0)->Arg(1)->Iterations(30)->Unit(benchmark::kMicrosecond);

// Reading and parsing the 100,000-place template alone, without building the list from it.
void PayoutTemplateRead100000Places(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("prize-pool.csv");
    write(path, longTemplate());
    for (auto _ : state) {
        const PayoutTemplate::Reading reading = PayoutTemplate::read(path, 800);
        benchmark::DoNotOptimize(reading.table.placeCount());
    }
}
BENCHMARK(PayoutTemplateRead100000Places)->Unit(benchmark::kMillisecond);

} // namespace
