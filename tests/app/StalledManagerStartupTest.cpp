// A manager database held by another program's lock keeps neither the clock screen from showing nor the
// program from ending; the first recount goes on behind the screen.
#include "app/ClockApplication.h"
#include "core/TournamentState.h"
#include "display/frmClock.h"
#include "manager/ManagerConnection.h"
#include "manager/ManagerRefresher.h"
#include "manager/ManagerScenario.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"
#include "support/ManagerDatabaseFile.h"
#include "support/QtPrinters.h"
#include "support/ShortManagerTimeLimits.h"
#include "support/TempProgramFolder.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace {

class StalledManagerStartup : public testing::Test
{
protected:
    TempProgramFolder dir;
    FakeMessageBoxes boxes;
    FakeSoundPlayer sounds;
    FakeClock clock;
    // The database waits far longer than the start-up does.
    ShortManagerTimeLimits limits{60000, 60000, 100, 100};
    QString database;
    std::unique_ptr<ManagerTestDb> writer;

    void SetUp() override
    {
        ASSERT_NO_THROW(database = WriteManagerDatabase(dir));
        {
            ManagerTestDb db(ManagerTestDb::Kind::Sqlite, database);
            ManagerScenario::seed(db);
        }
        dir.copySample("blinds/Speed.blinds.csv", "blinds/Speed.blinds.csv");
        dir.copySample("prize-pool.csv", "../prize-pool.csv");
        dir.copySample("sounds/Count.wav", "sounds/Count.wav");
        dir.copySample("sounds/End.wav", "sounds/End.wav");
        dir.write("darvel.ini", "Level=1\r\nBlinds=Speed.blinds.csv\r\nRefresh=5\r\nTournament_ID=2\r\n"
                                "Players=40\r\nEntries=45\r\n");
    }
    void TearDown() override
    {
        writer.reset();
        EXPECT_TRUE(ShortManagerTimeLimits::connectionsGone(ManagerConnection::namePrefix()));
    }
    // Another program takes the database once the clock has read its configuration.
    void lockAfterConfig(ClockApplication& app)
    {
        app.onScreenCreated = [this](frmClock*) {
            writer = std::make_unique<ManagerTestDb>(ManagerTestDb::Kind::Sqlite, database);
            writer->exec("BEGIN EXCLUSIVE");
        };
    }
};

TEST_F(StalledManagerStartup, ScreenShowsWhileTheFirstRecountWaitsAndTakesItWhenItComes)
{
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    lockAfterConfig(app);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_TRUE(writer);
    EXPECT_TRUE(app.screen()->isVisible());
    EXPECT_TRUE(app.refresher()->isRunning()) << "the first recount goes on behind the screen";
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.value(0).text.toStdString();
    EXPECT_EQ(app.state().Tournament.Players, 40);

    QSignalSpy done(app.refresher(), &ManagerRefresher::finished);
    writer.reset();
    ASSERT_TRUE(done.wait(15000));
    EXPECT_EQ(app.state().Tournament.Players, 3);
    EXPECT_EQ(app.state().Tournament.Entries, 6);
    EXPECT_EQ(app.state().Tournament.Refresh, 5);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(StalledManagerStartup, EndingLeavesAStuckRecountBehind)
{
    {
        ClockApplication app(dir.folders().Program, boxes, sounds, clock);
        lockAfterConfig(app);
        ASSERT_EQ(app.start(), std::nullopt);
        ASSERT_TRUE(app.refresher()->isRunning());
    }
    // Still waiting on the lock: the program's end did not wait for it.
    EXPECT_FALSE(QSqlDatabase::connectionNames().filter(ManagerConnection::namePrefix()).isEmpty());
}

} // namespace
