// Start-up on settings and blinds files that a careless edit or another program left behind: whatever the
// clock cannot use is said to the director, and the players' screen never shows a design caption as a
// value.
#include "ClockProgramFolder.h"
#include "app/ClockApplication.h"
#include "display/frmClock.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class HostileFiles : public testing::Test, protected ClockProgramFolder
{
protected:
    void SetUp() override
    {
        ASSERT_NO_THROW(WriteManagerDatabase(dir));
        addRequiredFiles();
    }

    QStringList warnings() const
    {
        QStringList texts;
        for (const auto& box : boxes.shown) {
            if (box.icon == MessageBoxes::Icon::Warning) {
                texts.append(box.text);
            }
        }
        return texts;
    }
};

TEST_F(HostileFiles, ValuesTooLargeToShowGiveTheMarkerNeverADesignCaption)
{
    struct Case
    {
        const char* name;
        QByteArray counts;
        const char* players;
        const char* prize;
        const char* stack;
    };
    const std::vector<Case> cases = {
        {"players with their correction",
         "Players=32767\r\nPlayer_Variance=32767\r\nEntries=20\r\nBuyin=100\r\n", "---", "---", "---"},
        {"largest buy-in", "Players=10\r\nEntries=20\r\nBuyin=922337203685477\r\n", "10/20", "---", "200"},
    };
    for (const Case& c : cases) {
        boxes.shown.clear();
        dir.write("darvel.ini",
                  "Title=Overflow Night\r\nLevel=1\r\nBlinds=Speed.blinds.csv\r\nBuyin_Chips=100\r\n" +
                      c.counts);
        ClockApplication app(dir.folders().Program, boxes, sounds, clock);
        ASSERT_EQ(app.start(), std::nullopt) << c.name;
        EXPECT_EQ(caption(app, ScreenElementId::lblTitle), "Overflow Night") << c.name;
        EXPECT_EQ(caption(app, ScreenElementId::lblPlayers), c.players) << c.name;
        EXPECT_EQ(caption(app, ScreenElementId::lblPrize), c.prize) << c.name;
        EXPECT_EQ(caption(app, ScreenElementId::lblStack), c.stack) << c.name;
        // Nothing is paid out of a pool the screen could not show.
        EXPECT_EQ(caption(app, ScreenElementId::lblPrizePool2), "---") << c.name;
        EXPECT_FALSE(caption(app, ScreenElementId::lblPrizePool2).contains("$")) << c.name;
    }
}

TEST_F(HostileFiles, PayoutsFollowTheCountsAndNotTheLabels)
{
    dir.write("darvel.ini", "Level=1\r\nBlinds=Speed.blinds.csv\r\nPlayers=10\r\nEntries=10\r\nBuyin=100\r\n"
                            "Prize_Contribution=0.5\r\n");
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    EXPECT_EQ(caption(app, ScreenElementId::lblPrize), "$1,001");
    const QString amounts = caption(app, ScreenElementId::lblPrizePool2);
    EXPECT_TRUE(amounts.startsWith("$501\r\n")) << amounts.toStdString(); // half of the 1,001 shown, rounded
    // Labels that no longer show the counts (a design caption, or text cut by the layout) change nothing.
    app.screen()->model().setCaption(ScreenElementId::lblPrize, "$100,000");
    app.screen()->model().setCaption(ScreenElementId::lblPlayers, "200/200");
    app.screen()->PrizePool();
    EXPECT_EQ(caption(app, ScreenElementId::lblPrizePool2), amounts);
}

// "Środa.blinds.csv" saved by a clock that wrote "?" for what the code page cannot hold.
TEST_F(HostileFiles, BlindsNameMatchingNoFileIsReportedWithTheStructureTakenInstead)
{
    dir.write(QString::fromUtf8("blinds/\u015Aroda.blinds.csv"),
              "Level,SB,BB,Ante,Minutes,Break\r\n1,5,10,0,9,0\r\n");
    dir.write("darvel.ini", "Level=1\r\nBlinds=?roda.blinds.csv\r\n");
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    const QStringList shown = warnings();
    ASSERT_EQ(shown.size(), 1) << shown.join("|").toStdString();
    EXPECT_TRUE(shown[0].startsWith("The blinds file \"?roda.blinds.csv\" named in darvel.ini was not found"))
        << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains("\"Speed.blinds.csv\" instead")) << shown[0].toStdString();
    EXPECT_EQ(app.state().Tournament.Blinds, "Speed.blinds.csv");
}

TEST_F(HostileFiles, BadBlindsLineIsReportedOnceWithFileAndLine)
{
    dir.write("blinds/Speed.blinds.csv",
              "Level,SB,BB,Ante,Minutes,Break\r\n1,25,50,0,15,0\r\n2,50,100,0,15,0\r\n"
              "3,75,150,0,fifteen,0\r\n4,100,200,0,15,0\r\n");
    dir.write("darvel.ini", "Level=1\r\nBlinds=Speed.blinds.csv\r\n");
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    const QStringList shown = warnings();
    ASSERT_EQ(shown.size(), 1) << shown.join("|").toStdString();
    EXPECT_TRUE(shown[0].contains("Speed.blinds.csv, line 4: column 5 (\"fifteen\")"))
        << shown[0].toStdString();
    EXPECT_TRUE(shown[0].endsWith("The clock goes on with the levels read before the problem."));
    EXPECT_EQ(app.blinds().levelCount(), 2);
    app.screen()->PrizePool();
    app.screen()->UpdateStatistics();
    EXPECT_EQ(warnings().size(), 1);
}

} // namespace
