#include "app/CheckRequiredFiles.h"
#include "app/ShowWelcome.h"
#include "support/FakeMessageBoxes.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString CrLf = "\r\n";

class RequiredFiles : public testing::Test
{
protected:
    TempProgramFolder dir;
    TournamentState state;
    FakeMessageBoxes boxes;
    int eventPasses = 0;

    void SetUp() override { state.Folders = dir.folders(); }
    bool check()
    {
        return CheckRequiredFiles(state, boxes, [this] {
            EXPECT_EQ(eventPasses, boxes.shown.size()) << "events run before each box";
            ++eventPasses;
        });
    }
    void addBlinds() { dir.write("blinds/Speed.blinds.csv", "Level,SB,BB\r\n"); }
    void addTemplate() { dir.writeParent("prize-pool.csv", "x\r\nP,2-10\r\n1,100\r\n"); }
    QString blindsEntry() const
    {
        return "Blinds (" + state.Folders.Program + QDir::separator() + "blinds" + QDir::separator() +
               "*.blinds.csv)" + CrLf;
    }
    QString templateEntry() const
    {
        return "Prize Pool (" + state.Folders.Parent + "prize-pool.csv or " + state.Folders.Program +
               QDir::separator() + "prize-pool.csv)" + CrLf;
    }
};

TEST_F(RequiredFiles, BothMissingIsOneCriticalMessageListingBoth)
{
    state.Display.Background = "Missing.jpg"; // never mentioned beside a fatal message
    EXPECT_TRUE(check());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Critical);
    EXPECT_EQ(boxes.shown[0].text, "KAVRO Clock cannot start!" + CrLf + "Required file(s) are missing:" +
                                       CrLf + CrLf + blindsEntry() + templateEntry());
    EXPECT_EQ(eventPasses, 1);
}

TEST_F(RequiredFiles, EachMissingItemAlone)
{
    addTemplate();
    EXPECT_TRUE(check());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.endsWith(CrLf + CrLf + blindsEntry()));

    TempProgramFolder other;
    state.Folders = other.folders();
    other.write("blinds/Turbo.blinds.csv", "x\r\n");
    FakeMessageBoxes more;
    EXPECT_TRUE(CheckRequiredFiles(state, more));
    ASSERT_EQ(more.shown.size(), 1);
    EXPECT_TRUE(more.shown[0].text.endsWith(CrLf + CrLf + templateEntry()));
}

TEST_F(RequiredFiles, TemplateInEitherFolderCounts)
{
    addBlinds();
    dir.write("prize-pool.csv", "x\r\n");
    EXPECT_FALSE(check());
    EXPECT_TRUE(boxes.shown.isEmpty());

    TempProgramFolder other;
    state.Folders = other.folders();
    other.write("blinds/Turbo.blinds.csv", "x\r\n");
    other.writeParent("Prize-Pool.CSV", "x\r\n");
    EXPECT_FALSE(CheckRequiredFiles(state, boxes));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(RequiredFiles, OnlyRegularVisibleFilesCount)
{
    ASSERT_TRUE(QDir().mkpath(dir.parentPath("prize-pool.csv")));
    ASSERT_TRUE(QDir().mkpath(dir.programPath("prize-pool.csv")));
    ASSERT_TRUE(QDir().mkpath(dir.programPath("blinds/Folder.blinds.csv")));
    dir.write("blinds/.Hidden.blinds.csv", "x\r\n");
    dir.write("blinds/Speed.blinds.txt", "x\r\n");
    EXPECT_TRUE(check());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.endsWith(blindsEntry() + templateEntry()));
}

TEST_F(RequiredFiles, AnyBlindsFileWillDoWhateverTheSettingNames)
{
    dir.write("blinds/TURBO.BLINDS.CSV", "x\r\n");
    addTemplate();
    state.Tournament.Blinds = "Deepstack.blinds.csv";
    EXPECT_FALSE(check());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(RequiredFiles, MissingBackgroundIsOnlyAWarning)
{
    addBlinds();
    addTemplate();
    state.Display.Background = "Sunset.jpg";
    EXPECT_FALSE(check());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Warning);
    EXPECT_EQ(boxes.shown[0].text, "File(s) are missing:" + CrLf + CrLf + "Background image (" +
                                       state.Folders.Background + "Sunset.jpg)" + CrLf);
}

TEST_F(RequiredFiles, PresentOrUnsetBackgroundIsQuiet)
{
    addBlinds();
    addTemplate();
    dir.write("background/blue.JPG", "jpeg");
    state.Display.Background = "Blue.jpg";
    EXPECT_FALSE(check());
    state.Display.Background.clear();
    EXPECT_FALSE(check());
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(eventPasses, 0);
}

TEST(Welcome, OnlyOnTheFirstRun)
{
    TournamentState state;
    FakeMessageBoxes boxes;
    int passes = 0;
    ShowWelcome(state, boxes, [&] { ++passes; });
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(passes, 0);

    state.FirstRun = true;
    ShowWelcome(state, boxes, [&] { ++passes; });
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(passes, 1);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::None);
    EXPECT_EQ(
        boxes.shown[0].text,
        "Welcome to KAVRO Clock!\r\n\r\nKAVRO Clock integrates with KAVRO tournament manager to provide "
        "tournament clock functions.\r\n\r\nMove the mouse to the top right corner of the screen and the "
        "command buttons will appear. The command buttons are: S to change the clock settings, ? to view "
        "the function key list or X to close.");
    EXPECT_TRUE(state.FirstRun);
}

} // namespace
