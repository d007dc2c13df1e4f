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
