#include "voice/AnnouncementWatcher.h"

#include "VoiceTestLevels.h"
#include "support/SnapshotAt.h"

#include <gtest/gtest.h>

namespace {

using Kind = AnnouncementEvent::Kind;

class AnnouncementWatcherTest : public testing::Test
{
protected:
    BlindStructure blinds = voiceTestBlinds({
        {0, "100", "200", "0", 10, 0},
        {0, "200", "400", "0", 10, 5},
        {0, "300", "600", "0", 10, 1},
    });
    AnnouncementWatcher watcher{2};

    QList<AnnouncementEvent> see(int level, const char* time, bool inBreak = false, bool paused = false)
    {
        return watcher.observe(snapshotAt(level, QString::fromLatin1(time), inBreak, paused), blinds);
    }
};

TEST_F(AnnouncementWatcherTest, FirstLookOnlyTakesInTheClock)
{
    EXPECT_TRUE(see(2, "01:00", true).isEmpty());
    EXPECT_TRUE(see(2, "00:59", true).isEmpty());
}

TEST_F(AnnouncementWatcherTest, LevelReachedByTheCountDown)
{
    see(1, "00:01");
    EXPECT_TRUE(see(1, "00:00").isEmpty());
    EXPECT_EQ(see(2, "10:00"), (QList<AnnouncementEvent>{{Kind::LevelStart, 2}}));
    EXPECT_TRUE(see(2, "09:59").isEmpty());
}

TEST_F(AnnouncementWatcherTest, LevelChangedByTheDirectorIsNotAnnounced)
{
    see(1, "04:10");
    EXPECT_TRUE(see(2, "04:09").isEmpty());
    EXPECT_TRUE(see(1, "04:08").isEmpty());
}

TEST_F(AnnouncementWatcherTest, BreakStartWarningAndTheNextLevel)
{
    see(2, "00:00");
    EXPECT_EQ(see(2, "5:01", true), (QList<AnnouncementEvent>{{Kind::BreakStart, 2}}));
    EXPECT_TRUE(see(2, "05:00", true).isEmpty());
    EXPECT_TRUE(see(2, "01:01", true).isEmpty());
    EXPECT_EQ(see(2, "01:00", true), (QList<AnnouncementEvent>{{Kind::BreakWarning, 2}}));
    EXPECT_TRUE(see(2, "00:59", true).isEmpty());
    see(2, "00:00", true);
    EXPECT_EQ(see(3, "10:00"), (QList<AnnouncementEvent>{{Kind::LevelStart, 3}}));
}

TEST_F(AnnouncementWatcherTest, OneMinuteBreakSaysItsLengthOnly)
{
    see(3, "00:00");
    EXPECT_EQ(see(3, "1:01", true), (QList<AnnouncementEvent>{{Kind::BreakStart, 3}}));
    EXPECT_TRUE(see(3, "01:00", true).isEmpty());
}

TEST_F(AnnouncementWatcherTest, LevelWarningAtItsMinute)
{
    see(1, "02:01");
    EXPECT_EQ(see(1, "02:00"), (QList<AnnouncementEvent>{{Kind::LevelWarning, 1}}));
    // A break's two minutes are not the level's.
    see(2, "00:00");
    see(2, "02:01", true);
    EXPECT_TRUE(see(2, "02:00", true).isEmpty());
}

TEST_F(AnnouncementWatcherTest, LastLevelEndsAfterItsBreak)
{
    const BlindStructure noBreak = voiceTestBlinds({{0, "100", "200", "0", 10, 0}});
    AnnouncementWatcher last;
    last.observe(snapshotAt(1, "00:01"), noBreak);
    EXPECT_EQ(last.observe(snapshotAt(1, "00:00"), noBreak),
              (QList<AnnouncementEvent>{{Kind::LastLevelEnd, 1}}));
    EXPECT_TRUE(last.observe(snapshotAt(1, "00:00"), noBreak).isEmpty());

    // Level 3 has a break: its end is the end of the break.
    see(3, "00:01");
    EXPECT_TRUE(see(3, "00:00").isEmpty());
    see(3, "1:01", true);
    see(3, "00:01", true);
    EXPECT_EQ(see(3, "00:00", true), (QList<AnnouncementEvent>{{Kind::LastLevelEnd, 3}}));
}

TEST_F(AnnouncementWatcherTest, NothingWhilePausedNorTwiceAfterAResume)
{
    see(2, "01:02", true);
    EXPECT_TRUE(see(2, "01:01", true, true).isEmpty());
    // Set to 01:00 by a key while paused: not said when the clock runs on from there.
    EXPECT_TRUE(see(2, "01:00", true, true).isEmpty());
    EXPECT_TRUE(see(2, "01:00", true, false).isEmpty());
    EXPECT_TRUE(see(2, "00:59", true).isEmpty());
    see(2, "01:01", true);
    EXPECT_EQ(see(2, "01:00", true), (QList<AnnouncementEvent>{{Kind::BreakWarning, 2}}));
    // The director sets it back a few seconds: said once per level.
    see(2, "01:01", true);
    EXPECT_TRUE(see(2, "01:00", true).isEmpty());
}

} // namespace
