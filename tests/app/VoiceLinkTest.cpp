// The announcer wired to the tournament's snapshots: it hears of every change without a timer.
#include "app/VoiceLink.h"

#include "ClockProgramFolder.h"
#include "app/ClockApplication.h"
#include "display/frmClock.h"
#include "support/SnapshotAt.h"
#include "voice/Announcer.h"

#include <gtest/gtest.h>

namespace {

class VoiceLinkTest : public testing::Test, protected ClockProgramFolder
{
protected:
    void SetUp() override
    {
        ASSERT_NO_THROW(WriteManagerDatabase(dir));
        addRequiredFiles();
        dir.write("darvel.ini", "Title=Sunday Open\r\nLevel=2\r\nTime=10:00\r\nBlinds=speed.blinds.csv\r\n"
                                "Players=40\r\nEntries=45\r\n");
    }

    void announcements(bool on)
    {
        dir.write("options.ini", QByteArray("[Voice]\nAnnouncements=") + (on ? "true" : "false") + "\n");
    }
};

} // namespace

TEST_F(VoiceLinkTest, OnlyWhileOptionsSwitchThemOn)
{
    BlindStructure blinds;
    VoiceLink link(dir.folders().Program, blinds, sounds, clock, boxes, nullptr);
    link.start(snapshotAt(1, "10:00"));
    EXPECT_EQ(link.announcer(), nullptr);
    link.announce(snapshotAt(1, "10:00"));
    announcements(true);
    link.start(snapshotAt(1, "10:00"));
    ASSERT_NE(link.announcer(), nullptr);
    announcements(false);
    link.start(snapshotAt(1, "10:00"));
    EXPECT_EQ(link.announcer(), nullptr);
}

TEST_F(VoiceLinkTest, TheRunningClockReachesTheAnnouncerThroughItsSnapshots)
{
    announcements(true);
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_NE(app.voice(), nullptr);
    Announcer* announcer = app.voice()->announcer();
    ASSERT_NE(announcer, nullptr);
    // A paused clock has its announcements prepared from the start, before anything changes.
    const int before = announcer->rendersRequested();
    EXPECT_GT(before, 0);
    // Every change reaches it: a new level is prepared as soon as it shows.
    app.screen()->keyReleased(VirtualKey::F6);
    EXPECT_GT(announcer->rendersRequested(), before);
}
