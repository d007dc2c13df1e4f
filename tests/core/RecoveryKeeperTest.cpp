#include "core/RecoveryKeeper.h"

#include "core/ClockSettingsFile.h"
#include "core/RecoveryRecord.h"
#include "core/TournamentState.h"
#include "support/FakeClock.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class RecoveryKeeperTest : public testing::Test
{
protected:
    TempProgramFolder dir;
    TournamentState state;
    FakeClock clock;
    bool inBreak = false;
    RecoveryRecord record{dir.folders()};
    RecoveryKeeper keeper{state, record, clock, [this] { return inBreak; }};

    void SetUp() override
    {
        state.Folders = dir.folders();
        ApplyClockSettingsDefaults(state);
        state.Tournament.Time = "20:00";
        keeper.started();
    }

    bool written() const { return QFile::exists(record.path()); }
    // What a restart would resume with, whatever the file times.
    std::optional<RecoveryValues> onDisk() const
    {
        QFile file(record.path());
        if (!file.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        return RecoveryRecord::parse(QString::fromLatin1(file.readAll()).split("\r\n"));
    }
    // One second of a running clock.
    void runSecond(const QString& time)
    {
        clock.advance(1000);
        state.Tournament.Time = time;
        keeper.ticked();
    }
};

TEST_F(RecoveryKeeperTest, NothingIsWrittenWhileNothingChanges)
{
    for (int i = 0; i < 200; ++i) { // a paused clock: ticks, and keys that change nothing
        clock.advance(1000);
        keeper.ticked();
        keeper.keyHandled();
    }
    keeper.settingsClosed();
    EXPECT_FALSE(written());
}

TEST_F(RecoveryKeeperTest, EveryChangingKeyIsWrittenAtOnce)
{
    struct Case
    {
        const char* name;
        std::function<void(TournamentState&)> key;
    };
    const Case cases[] = {
        {"entry", [](TournamentState& s) { ++s.Tournament.Entries; }},
        {"player out", [](TournamentState& s) { --s.Tournament.Player_Variance; }},
        {"rebuy", [](TournamentState& s) { ++s.Tournament.Rebuy_Variance; }},
        {"add-on", [](TournamentState& s) { ++s.Tournament.Addons; }},
        {"next level", [](TournamentState& s) { ++s.Tournament.Level; }},
        {"a minute more", [](TournamentState& s) { s.Tournament.Time = "21:00"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock.advance(100); // well inside the interval
        c.key(state);
        keeper.keyHandled();
        const auto values = onDisk();
        ASSERT_TRUE(values.has_value());
        EXPECT_EQ(*values, RecoveryValues::from(state, false));
    }
}

TEST_F(RecoveryKeeperTest, RunningClockIsWrittenEveryIntervalNotEverySecond)
{
    constexpr int interval = int(RecoveryKeeper::WriteIntervalMs / 1000);
    for (int s = 1; s < interval; ++s) {
        runSecond(QStringLiteral("19:%1").arg(60 - s, 2, 10, QChar(u'0')));
    }
    EXPECT_FALSE(written());
    runSecond("19:30");
    ASSERT_TRUE(onDisk().has_value());
    EXPECT_EQ(onDisk()->Time, "19:30");

    // A key restarts the interval; the clock's own seconds wait for the next one.
    runSecond("19:29");
    state.Tournament.Entries = 5;
    keeper.keyHandled();
    runSecond("19:28");
    EXPECT_EQ(onDisk()->Time, "19:29");
    for (int s = 2; s <= interval; ++s) {
        runSecond(QStringLiteral("18:%1").arg(60 - s, 2, 10, QChar(u'0')));
    }
    EXPECT_EQ(onDisk()->Time, QStringLiteral("18:%1").arg(60 - interval, 2, 10, QChar(u'0')));
}

TEST_F(RecoveryKeeperTest, BreakStartingIsAChange)
{
    clock.advance(RecoveryKeeper::WriteIntervalMs);
    inBreak = true;
    keeper.ticked();
    ASSERT_TRUE(onDisk().has_value());
    EXPECT_TRUE(onDisk()->InBreak);
}

TEST_F(RecoveryKeeperTest, SettingsThatMovedTheTournamentAreWritten)
{
    state.Tournament.Level = 4;
    state.Tournament.Time = "08:00";
    keeper.settingsClosed();
    ASSERT_TRUE(onDisk().has_value());
    EXPECT_EQ(onDisk()->Level, 4);
}

TEST_F(RecoveryKeeperTest, FinishedRemovesTheRecordForGood)
{
    ++state.Tournament.Entries;
    keeper.keyHandled();
    ASSERT_TRUE(written());
    keeper.finished(true);
    EXPECT_FALSE(written());
    ++state.Tournament.Entries; // a key still on its way after the close
    keeper.keyHandled();
    clock.advance(RecoveryKeeper::WriteIntervalMs);
    keeper.ticked();
    EXPECT_FALSE(written());
}

TEST_F(RecoveryKeeperTest, FailedWriteIsRetriedAtTheNextChance)
{
    ASSERT_TRUE(QDir().mkpath(record.path())); // a folder in the record's place: it cannot be replaced
    ++state.Tournament.Entries;
    keeper.keyHandled();
    EXPECT_FALSE(keeper.lastError().isEmpty());
    EXPECT_TRUE(keeper.lastError().contains("darvel.recovery")) << keeper.lastError().toStdString();

    ASSERT_TRUE(QDir(record.path()).removeRecursively());
    keeper.keyHandled(); // the same values: the failed write is not taken for done
    EXPECT_TRUE(keeper.lastError().isEmpty());
    ASSERT_TRUE(onDisk().has_value());
    EXPECT_EQ(onDisk()->Entries, 1);
}

TEST_F(RecoveryKeeperTest, ExitKeepsTheRecordUnlessDarvelIniHoldsEverything)
{
    struct Case
    {
        const char* name;
        bool settingsSaved;
        bool inBreak;
        bool kept;
        bool closed;
    };
    const Case cases[] = {
        {"saved, in a level", true, false, false, false},
        {"saved, in a break: darvel.ini cannot say so", true, true, true, true},
        {"not saved: the record is the only copy", false, false, true, false},
        {"not saved, in a break", false, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecoveryKeeper closing{state, record, clock, [&] { return c.inBreak; }};
        closing.started();
        ++state.Tournament.Entries; // a key the record took
        closing.keyHandled();
        state.Tournament.Time = "07:41"; // seconds the clock ran since
        closing.finished(c.settingsSaved);
        EXPECT_EQ(written(), c.kept);
        if (c.kept) {
            ASSERT_TRUE(onDisk().has_value());
            EXPECT_EQ(onDisk()->Time, "07:41");
            EXPECT_EQ(onDisk()->InBreak, c.inBreak);
            EXPECT_EQ(onDisk()->Closed, c.closed);
        }
        record.remove();
    }
}

TEST_F(RecoveryKeeperTest, FailureIsToldOnceAndItsEndToo)
{
    TempProgramFolder other;
    const RecoveryRecord blocked(other.folders());
    ASSERT_TRUE(QDir().mkpath(blocked.path())); // a folder in the record's place
    RecoveryKeeper failing{state, blocked, clock, {}};
    QStringList told;
    failing.failureChanged = [&](const QString& error) { told.append(error); };
    failing.started();
    for (int i = 0; i < 3; ++i) {
        ++state.Tournament.Entries;
        failing.keyHandled();
        clock.advance(RecoveryKeeper::WriteIntervalMs);
        failing.ticked();
    }
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains("darvel.recovery")) << told[0].toStdString();

    ASSERT_TRUE(QDir(blocked.path()).removeRecursively());
    failing.keyHandled();
    EXPECT_EQ(told, (QStringList{told[0], QString()}));
}

} // namespace
