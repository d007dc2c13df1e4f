// The screen's start-up as the window runs it: one sequence, the window's steps in their place among the
// logic's own.
#include "ClockFixture.h"

#include <gtest/gtest.h>

namespace {

class ClockScreenLogicTest : public ClockFixture
{
};

TEST_F(ClockScreenLogicTest, InitialiseScreenRunsItsStepsInOrder)
{
    addLevel(25, 50, 0, 20);
    addLevel(50, 100, 25, 20, 10);
    state.Tournament.Level = 1;
    create();
    EXPECT_EQ(steps, QStringList({"showLogo", "refresh", "statistics", "prizePool", "UpdateDisplay",
                                  "startClockTimer", "startAutoSizer", "showMaximised"}));
    // The blind structure was read from its file before the clock started, and the level is shown.
    EXPECT_EQ(blinds.levelCount(), 2);
    EXPECT_EQ(digits(), QString("20:00"));
    EXPECT_EQ(caption(ScreenElementId::lblBlinds), QString("25/50"));
    EXPECT_EQ(caption(ScreenElementId::lblNextAnte), QString("25"));
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("00:40"));
    EXPECT_TRUE(logic->scheduler.isRunning());
    EXPECT_EQ(clock().mouseHideCounter, 5);
}

// The builder's "Use now": the new structure shows at once, at the same level, the time cut to fit.
TEST_F(ClockScreenLogicTest, AnotherStructureTakesOverAtTheSameLevel)
{
    addLevel(25, 50, 0, 20);
    addLevel(50, 100, 0, 20);
    addLevel(100, 200, 0, 20, 15);
    state.Tournament.Level = 2;
    state.Tournament.Time = "15:00";
    create();
    BlindStructure replacement;
    replacement.append({1, "25", "50", "0", 10, 0});
    replacement.append({2, "75", "150", "0", 10, 5});
    replacement.append({3, "100", "200", "25", 10, 0});
    logic->replaceBlinds(replacement);
    ASSERT_EQ(blinds.levelCount(), 3);
    EXPECT_EQ(blinds.at(2).BigBlind, QString("150"));
    EXPECT_EQ(state.Tournament.Level, 2);
    EXPECT_EQ(digits(), QString("10:00"));
    EXPECT_EQ(caption(ScreenElementId::lblBlinds), QString("75/150"));
    EXPECT_EQ(caption(ScreenElementId::lblNextLevel), QString("100/200"));
    EXPECT_EQ(caption(ScreenElementId::lblNextAnte), QString("25"));
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("00:10"));
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime), QString("00:10"));

    // In a break the break's own length counts, and the break goes on.
    state.Tournament.Time = "00:01";
    clock().showTimeDigits();
    run();
    tick(2);
    ASSERT_TRUE(clock().inBreak());
    BlindStructure shorter;
    shorter.append({1, "25", "50", "0", 10, 0});
    shorter.append({2, "75", "150", "0", 10, 3});
    tick();
    logic->replaceBlinds(shorter);
    EXPECT_TRUE(clock().inBreak());
    EXPECT_EQ(digits(), QString("03:00"));
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("--:--"));
}

TEST_F(ClockScreenLogicTest, AFailingStepIsSkippedAndTheRestRuns)
{
    addLevel(25, 50, 0, 20);
    state.Tournament.Level = 1;
    statisticsFail = true;
    create();
    EXPECT_EQ(steps, QStringList({"showLogo", "refresh", "statistics", "prizePool", "UpdateDisplay",
                                  "startClockTimer", "startAutoSizer", "showMaximised"}));
    EXPECT_EQ(digits(), QString("20:00"));
}

TEST_F(ClockScreenLogicTest, ABadBlindsFileKeepsTheRowsBeforeItAndTheClockStarts)
{
    addLevel(25, 50, 0, 20);
    levelLines << "2,50,100,0,twenty,0";
    state.Tournament.Level = 1;
    create();
    EXPECT_EQ(blinds.levelCount(), 1);
    EXPECT_EQ(caption(ScreenElementId::lblBlinds), QString("25/50"));
    EXPECT_EQ(steps.last(), QString("showMaximised"));
}

} // namespace
