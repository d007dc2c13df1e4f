// Work on the manager's database never holds the clock longer than its time limit: stuck work is
// abandoned, a pipe in place of the database file is refused without waiting, and a database locked by
// another program fails the recount once instead of stalling it.
#include "ManagerScenario.h"
#include "core/TournamentState.h"
#include "manager/ConnectManagerDatabase.h"
#include "manager/ManagerConnection.h"
#include "manager/ManagerConnectionTarget.h"
#include "manager/ManagerFatalError.h"
#include "manager/ManagerIni.h"
#include "manager/ManagerRefresher.h"
#include "manager/ManagerSettings.h"
#include "manager/ManagerWorker.h"
#include "manager/RefreshFromManager.h"
#include "manager/RunWithinTimeLimit.h"
#include "support/FakeMessageBoxes.h"
#include "support/QtPrinters.h"
#include "support/ShortManagerTimeLimits.h"
#include "support/TempProgramFolder.h"

#include <QSignalSpy>
#include <QThread>
#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Work that stays in its call until released, as a driver does while a lock is held.
class StuckWork
{
public:
    ~StuckWork() { release(); }
    std::function<void()> work()
    {
        return [gate = m_gate, ended = m_ended] {
            gate.wait();
            ended->store(true);
        };
    }
    void release()
    {
        if (!m_released) {
            m_released = true;
            m_open.set_value();
        }
    }
    bool ended(int ms = 5000) const
    {
        for (int waited = 0; !m_ended->load() && waited < ms; waited += 10) {
            QThread::msleep(10);
        }
        return m_ended->load();
    }

private:
    std::promise<void> m_open;
    std::shared_future<void> m_gate = m_open.get_future().share();
    std::shared_ptr<std::atomic<bool>> m_ended = std::make_shared<std::atomic<bool>>(false);
    bool m_released = false;
};

TEST(ManagerWorker, ReportsWorkThatReturnsInTheOwnersThreadAndTakesOneAtATime)
{
    ManagerWorker worker;
    QSignalSpy finished(&worker, &ManagerWorker::finished);
    QSignalSpy timedOut(&worker, &ManagerWorker::timedOut);
    auto ranIn = std::make_shared<QThread*>(nullptr);
    StuckWork stuck;
    ASSERT_TRUE(worker.start(stuck.work(), 60000));
    EXPECT_TRUE(worker.isRunning());
    EXPECT_FALSE(worker.start([] {})) << "one piece of work at a time";
    stuck.release();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(worker.isRunning());

    QThread* reportedIn = nullptr;
    QObject::connect(&worker, &ManagerWorker::finished, &worker,
                     [&reportedIn] { reportedIn = QThread::currentThread(); });
    ASSERT_TRUE(worker.start([ranIn] { *ranIn = QThread::currentThread(); }, 60000));
    ASSERT_TRUE(worker.waitFor(10000));
    EXPECT_EQ(finished.count(), 2);
    EXPECT_NE(*ranIn, QThread::currentThread());
    EXPECT_EQ(reportedIn, QThread::currentThread());
    // the queued word of the work already handled by waitFor is not a second finish
    QCoreApplication::processEvents();
    EXPECT_EQ(finished.count(), 2);
    EXPECT_EQ(timedOut.count(), 0);
}

TEST(ManagerWorker, AbandonsWorkPastItsWatchdogAndHearsNothingMoreOfIt)
{
    ManagerWorker worker;
    QSignalSpy finished(&worker, &ManagerWorker::finished);
    QSignalSpy timedOut(&worker, &ManagerWorker::timedOut);
    StuckWork stuck;
    ASSERT_TRUE(worker.start(stuck.work(), 50));
    ASSERT_TRUE(timedOut.wait(10000));
    EXPECT_FALSE(worker.isRunning());
    EXPECT_FALSE(worker.waitFor(0));

    ASSERT_TRUE(worker.start([] {}, 60000)) << "abandoned work does not block the next";
    ASSERT_TRUE(finished.wait(10000));
    stuck.release();
    ASSERT_TRUE(stuck.ended());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(timedOut.count(), 1);
}

TEST(ManagerWorker, EndsWithoutWaitingForStuckWorkWhichThenEndsAlone)
{
    StuckWork stuck;
    {
        ManagerWorker worker;
        worker.exitWaitMs = 20;
        ASSERT_TRUE(worker.start(stuck.work()));
        EXPECT_FALSE(worker.waitFor(20));
    }
    stuck.release();
    EXPECT_TRUE(stuck.ended());
}

TEST(RunWithinTimeLimit, GivesTheValueTheErrorOrTheTimeLimit)
{
    EXPECT_EQ(RunWithinTimeLimit<int>([] { return 42; }, 10000), 42);
    try {
        RunWithinTimeLimit<int>([]() -> int { throw ManagerError(QStringLiteral("no table")); }, 10000);
        ADD_FAILURE() << "no error";
    } catch (const ManagerError& e) {
        EXPECT_EQ(e.message(), "no table");
    }
    StuckWork stuck;
    const std::function<void()> wait = stuck.work();
    try {
        RunWithinTimeLimit<int>(
            [wait] {
                wait();
                return 1;
            },
            100);
        ADD_FAILURE() << "no time limit";
    } catch (const ManagerError& e) {
        EXPECT_EQ(e.message(), "The manager database did not answer within 0.1 seconds.");
    }
    EXPECT_EQ(ManagerTimeLimitMessage(25000), "The manager database did not answer within 25 seconds.");
}

class StalledManager : public ::testing::Test
{
protected:
    TempProgramFolder dir;
    ManagerSettings settings;
    TournamentState state;
    FakeMessageBoxes boxes;

    void SetUp() override
    {
        settings.DATABASE = dir.parentPath("manager.db");
        ApplyManagerDialect(settings);
        {
            ManagerTestDb db(ManagerTestDb::Kind::Sqlite, settings.DATABASE);
            ManagerScenario::seed(db);
        }
        state.Tournament.Refresh = 10;
        state.Tournament.Tournament_ID = ManagerScenario::Running;
        state.Tournament.Players = 50;
    }
    void TearDown() override
    {
        EXPECT_TRUE(ShortManagerTimeLimits::connectionsGone(ManagerConnection::namePrefix()));
    }
    void replaceWithPipe()
    {
        ASSERT_TRUE(QFile::remove(settings.DATABASE));
        ASSERT_EQ(mkfifo(QFile::encodeName(settings.DATABASE).constData(), 0600), 0);
    }
    void expectOneFailure(RefreshOutcome outcome)
    {
        EXPECT_EQ(outcome, RefreshOutcome::Failed);
        EXPECT_EQ(state.Tournament.Refresh, 0) << "counting by hand from now on";
        EXPECT_EQ(state.Tournament.Players, 50);
        ASSERT_EQ(boxes.shown.size(), 1);
        EXPECT_EQ(boxes.shown[0].text, ManagerRefreshFailedMessage());
    }
    RefreshResult recountInBackground()
    {
        ManagerRefresher refresher(settings);
        QSignalSpy spy(&refresher, &ManagerRefresher::finished);
        EXPECT_TRUE(refresher.start(ManagerScenario::Running));
        if (!spy.wait(15000)) {
            ADD_FAILURE() << "no result";
            return {};
        }
        return spy.at(0).at(0).value<RefreshResult>();
    }
};

TEST_F(StalledManager, PipeInPlaceOfTheDatabaseIsRefusedWithoutWaitingForAWriter)
{
    ShortManagerTimeLimits limits(300, 60000);
    replaceWithPipe();
    EXPECT_TRUE(ManagerConnectionTarget::resolve(settings).Problem.endsWith("it is not a file."));

    const RefreshResult background = recountInBackground();
    EXPECT_FALSE(background.ok());
    EXPECT_TRUE(background.Error.endsWith("it is not a file.")) << background.Error.toStdString();

    expectOneFailure(RefreshFromManager(state, settings, boxes, RefreshHooks{}));

    boxes.shown.clear();
    dir.writeParent("kavro.ini", ("DATABASE=" + settings.DATABASE + "\r\n").toUtf8());
    ManagerSettings atStart;
    EXPECT_THROW(ConnectManagerDatabase(atStart, dir.folders().Parent, boxes), ManagerFatalError);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Critical);
}

TEST_F(StalledManager, LockedDatabaseFailsTheRecountOnceAtItsBusyTimeout)
{
    ShortManagerTimeLimits limits(200, 60000);
    ManagerTestDb writer(ManagerTestDb::Kind::Sqlite, settings.DATABASE);
    writer.exec("BEGIN EXCLUSIVE");
    expectOneFailure(RefreshFromManager(state, settings, boxes, RefreshHooks{}));
    EXPECT_FALSE(recountInBackground().ok());
    writer.exec("ROLLBACK");
    EXPECT_TRUE(recountInBackground().ok());
}

TEST_F(StalledManager, RecountStuckPastTheWatchdogIsAbandonedAndFailsOnce)
{
    // The database waits far longer than the watchdog: only the watchdog ends the wait.
    ShortManagerTimeLimits limits(60000, 300);
    {
        ManagerTestDb writer(ManagerTestDb::Kind::Sqlite, settings.DATABASE);
        writer.exec("BEGIN EXCLUSIVE");
        const RefreshResult abandoned = recountInBackground();
        EXPECT_FALSE(abandoned.ok());
        EXPECT_EQ(abandoned.Error, ManagerTimeLimitMessage(300));
        EXPECT_EQ(abandoned.TournamentId, ManagerScenario::Running);
        expectOneFailure(RefreshFromManager(state, settings, boxes, RefreshHooks{}));
    }
    // the lock is gone: the abandoned recounts end by themselves and close their connections
    EXPECT_TRUE(ShortManagerTimeLimits::connectionsGone(ManagerConnection::namePrefix()));
    EXPECT_TRUE(recountInBackground().ok());
}

} // namespace
