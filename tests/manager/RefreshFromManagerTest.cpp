#include "manager/RefreshFromManager.h"

#include "ManagerScenario.h"
#include "core/TournamentState.h"
#include "manager/ManagerConnection.h"
#include "manager/ManagerIni.h"
#include "manager/ManagerRefresher.h"
#include "manager/ManagerSettings.h"
#include "support/FakeMessageBoxes.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class Refresh : public ::testing::Test
{
protected:
    TempProgramFolder dir;
    ManagerSettings settings;
    TournamentState state;
    FakeMessageBoxes boxes;
    QStringList events;
    RefreshHooks hooks{[this] { events.append("pause"); }, [this] { events.append("resume"); }};

    void SetUp() override
    {
        settings.DATABASE = dir.parentPath("manager.db");
        ApplyManagerDialect(settings);
        {
            ManagerTestDb db(ManagerTestDb::Kind::Sqlite, settings.DATABASE);
            ManagerScenario::seed(db);
        }
        boxes.whileOpen = [this] { events.append("message"); };
        TournamentRecord& t = state.Tournament;
        t.Refresh = 10;
        t.Tournament_ID = ManagerScenario::Running;
        t.Players = 50;
        t.Entries = 51;
        t.Rebuys = 52;
        t.Addons = 53;
        t.Player_Variance = -2;
        t.Entry_Variance = 1;
    }
    void TearDown() override
    {
        EXPECT_TRUE(QSqlDatabase::connectionNames().filter(ManagerConnection::namePrefix()).isEmpty());
    }

    void expectFailedUnchanged(RefreshOutcome outcome)
    {
        EXPECT_EQ(outcome, RefreshOutcome::Failed);
        const TournamentRecord& t = state.Tournament;
        EXPECT_EQ(t.Players, 50);
        EXPECT_EQ(t.Entries, 51);
        EXPECT_EQ(t.Rebuys, 52);
        EXPECT_EQ(t.Addons, 53);
        EXPECT_EQ(t.Refresh, 0);
        EXPECT_EQ(events, (QStringList{"pause", "message", "resume"}));
        ASSERT_EQ(boxes.shown.size(), 1);
        EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Warning);
        EXPECT_EQ(boxes.shown[0].text, "There was an error while trying to get data from KAVRO\r\n\r\n"
                                       "To continue running the tournament; update the clock\r\n"
                                       "manually using the function keys.");
    }
};

TEST_F(Refresh, ReplacesTheCountsAndKeepsTheVariances)
{
    EXPECT_EQ(RefreshFromManager(state, settings, boxes, hooks), RefreshOutcome::Updated);
    const TournamentRecord& t = state.Tournament;
    EXPECT_EQ(t.Players, 3);
    EXPECT_EQ(t.Entries, 6);
    EXPECT_EQ(t.Rebuys, 2);
    EXPECT_EQ(t.Addons, 3);
    EXPECT_EQ(t.Player_Variance, -2);
    EXPECT_EQ(t.Entry_Variance, 1);
    EXPECT_EQ(t.Refresh, 10);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(Refresh, NeverRefreshingTouchesNothing)
{
    for (const qint16 refresh : {qint16(0), qint16(-5)}) {
        state.Tournament.Refresh = refresh;
        settings.DATABASE = dir.parentPath("gone.db");
        EXPECT_EQ(RefreshFromManager(state, settings, boxes, hooks), RefreshOutcome::Skipped);
        EXPECT_EQ(state.Tournament.Players, 50);
        EXPECT_TRUE(boxes.shown.isEmpty());
    }
}

TEST_F(Refresh, NullTableIdFailsAndChangesNothing)
{
    state.Tournament.Tournament_ID = ManagerScenario::NullTable;
    expectFailedUnchanged(RefreshFromManager(state, settings, boxes, hooks));
}

TEST_F(Refresh, MissingTableRowFailsAndChangesNothing)
{
    state.Tournament.Tournament_ID = ManagerScenario::MissingTableRow;
    expectFailedUnchanged(RefreshFromManager(state, settings, boxes, hooks));
}

TEST_F(Refresh, UnknownTournamentFailsAndChangesNothing)
{
    state.Tournament.Tournament_ID = 4711;
    expectFailedUnchanged(RefreshFromManager(state, settings, boxes, hooks));
}

TEST_F(Refresh, LostDatabaseFailsOnceAndChangesNothing)
{
    QFile::remove(settings.DATABASE);
    expectFailedUnchanged(RefreshFromManager(state, settings, boxes, hooks));
    // counting by hand from now on: no second message
    EXPECT_EQ(RefreshFromManager(state, settings, boxes, hooks), RefreshOutcome::Skipped);
    EXPECT_EQ(boxes.shown.size(), 1);
}

TEST_F(Refresh, OddSeatsPerTable)
{
    {
        ManagerTestDb db(ManagerTestDb::Kind::Sqlite, settings.DATABASE);
        db.exec("UPDATE tournament SET seats_per_table=-1 WHERE id=2");
    }
    EXPECT_EQ(RefreshFromManager(state, settings, boxes, hooks), RefreshOutcome::Updated);
    EXPECT_EQ(state.Tournament.Players, 0);
    EXPECT_EQ(state.Tournament.Entries, 6);
    {
        ManagerTestDb db(ManagerTestDb::Kind::Sqlite, settings.DATABASE);
        db.exec("UPDATE tournament SET seats_per_table=500 WHERE id=2");
    }
    state.Tournament.Players = 50;
    state.Tournament.Entries = 51;
    state.Tournament.Rebuys = 52;
    state.Tournament.Addons = 53;
    expectFailedUnchanged(RefreshFromManager(state, settings, boxes, hooks));
}

TEST_F(Refresh, MissingHooksAreAllowed)
{
    state.Tournament.Tournament_ID = 4711;
    EXPECT_EQ(RefreshFromManager(state, settings, boxes, RefreshHooks{}), RefreshOutcome::Failed);
    EXPECT_EQ(boxes.shown.size(), 1);
}

TEST_F(Refresh, StaleResultsAreDropped)
{
    const RefreshResult result = FetchRefreshCounts(settings, ManagerScenario::Running);
    ASSERT_TRUE(result.ok());
    state.Tournament.Tournament_ID = 3; // the director linked another tournament meanwhile
    EXPECT_EQ(ApplyRefreshResult(state, result, boxes, hooks), RefreshOutcome::Skipped);
    state.Tournament.Tournament_ID = ManagerScenario::Running;
    state.Tournament.Refresh = 0; // or switched the refresh off
    EXPECT_EQ(ApplyRefreshResult(state, result, boxes, hooks), RefreshOutcome::Skipped);
    EXPECT_EQ(state.Tournament.Players, 50);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Refresh, RefresherCountsInItsOwnThreadAndReportsInOurs)
{
    ManagerRefresher refresher(settings);
    QThread* resultThread = nullptr;
    QObject::connect(&refresher, &ManagerRefresher::finished, &refresher,
                     [&resultThread](const RefreshResult&) { resultThread = QThread::currentThread(); });
    QSignalSpy spy(&refresher, &ManagerRefresher::finished);
    ASSERT_TRUE(refresher.start(ManagerScenario::Running));
    EXPECT_TRUE(refresher.isRunning());
    EXPECT_FALSE(refresher.start(ManagerScenario::Running)) << "a running recount blocks the next one";
    ASSERT_TRUE(spy.wait(10000));
    EXPECT_FALSE(refresher.isRunning());
    EXPECT_EQ(resultThread, QThread::currentThread());
    const auto result = spy.at(0).at(0).value<RefreshResult>();
    EXPECT_EQ(ApplyRefreshResult(state, result, boxes, hooks), RefreshOutcome::Updated);
    EXPECT_EQ(state.Tournament.Players, 3);

    ASSERT_TRUE(refresher.start(ManagerScenario::NullTable));
    ASSERT_TRUE(spy.wait(10000));
    const auto failed = spy.at(1).at(0).value<RefreshResult>();
    EXPECT_FALSE(failed.ok());
    EXPECT_FALSE(failed.Error.isEmpty());
    state.Tournament.Tournament_ID = ManagerScenario::NullTable;
    EXPECT_EQ(ApplyRefreshResult(state, failed, boxes, hooks), RefreshOutcome::Failed);
    EXPECT_EQ(state.Tournament.Players, 3);
    EXPECT_EQ(state.Tournament.Entries, 6);
    EXPECT_EQ(state.Tournament.Refresh, 0);
    EXPECT_EQ(events, (QStringList{"pause", "message", "resume"}));
}

} // namespace
