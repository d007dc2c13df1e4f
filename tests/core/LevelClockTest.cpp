#include "ClockFixture.h"
#include "core/ClockSettingsFile.h"

namespace {

const RgbColour Digit{255, 255, 128};
const RgbColour Alert{128, 128, 128};

class LevelClockTest : public ClockFixture
{
protected:
    // Three 20-minute levels; the second is followed by a 10-minute break.
    void threeLevels()
    {
        addLevel(25, 50, 0, 20);
        addLevel(50, 100, 0, 20, 10);
        addLevel(100, 200, 25, 20);
    }
    int soundsEndingWith(const char* name)
    {
        int n = 0;
        for (const QString& p : sounds.played) {
            n += p.endsWith(QString::fromLatin1(name)) ? 1 : 0;
        }
        return n;
    }
};

TEST_F(LevelClockTest, StartsPausedWithTheSavedTimeOrTheFullLevel)
{
    threeLevels();
    state.Tournament.Level = 2;
    create();
    EXPECT_TRUE(visible(ScreenElementId::lblPaused));
    EXPECT_FALSE(visible(ScreenElementId::lblBreakNotice));
    EXPECT_EQ(digits(), QString("20:00"));
    EXPECT_EQ(clock().levelMinutesText, QString("20"));
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime), QString("00:20"));
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("00:20"));
    EXPECT_EQ(caption(ScreenElementId::lblLevel), QString("2"));
    EXPECT_EQ(caption(ScreenElementId::lblBlinds), QString("50/100"));
    EXPECT_EQ(caption(ScreenElementId::lblAnte), QString("-"));
    EXPECT_EQ(caption(ScreenElementId::lblNextLevel), QString("100/200"));
    EXPECT_EQ(caption(ScreenElementId::lblNextAnte), QString("25"));

    tick(10);
    EXPECT_EQ(digits(), QString("20:00"));
    EXPECT_EQ(statistics, 0);
    EXPECT_EQ(prizePools, 0);
}

TEST_F(LevelClockTest, ShortLevelsStartWithTwoDigitMinutes)
{
    addLevel(25, 50, 0, 5);
    state.Tournament.Level = 1;
    create();
    EXPECT_EQ(state.Tournament.Time, u"05:00");
    EXPECT_EQ(screen().timer(0).caption, QString("0"));
    EXPECT_EQ(screen().timer(4).caption, QString("0"));
}

TEST_F(LevelClockTest, AZeroMinuteLevelLastsOneSecondAtZero)
{
    addLevel(25, 50, 0, 0);
    addLevel(50, 100, 0, 20);
    state.Tournament.Level = 1;
    create();
    EXPECT_EQ(digits(), QString("00:00"));
    run();
    tick();
    EXPECT_EQ(state.Tournament.Level, 2);
    EXPECT_EQ(digits(), QString("20:00"));
}

TEST_F(LevelClockTest, ATimeInDarvelIniThatCannotCountDownStartsTheLevelsFullLength)
{
    threeLevels();
    struct Case
    {
        const char* time;
        const char* start;
        const char* afterTwoTicks;
    };
    const Case cases[] = {
        {"abc", "20:00", "19:58"},    {"-1:-1", "20:00", "19:58"},
        {"-20:00", "20:00", "19:58"}, {"", "20:00", "19:58"},
        {"12:99", "20:00", "19:58"},  {"35:00", "20:00", "19:58"}, // longer than the level
        {"7:30", "07:30", "07:28"},                                // the short form is a time
        {"0:00", "00:00", "19:59"}, // the level has run out: the next one starts
        {"--:--", "20:00", "19:58"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time);
        folder.write("darvel.ini",
                     QByteArray("Level=1\r\nTime=") + c.time + "\r\nBlinds=test.blinds.csv\r\n");
        ReadWriteClockSettings(state, "read");
        sounds.played.clear();
        create();
        EXPECT_EQ(digits(), QString(c.start));
        run();
        tick(2);
        EXPECT_EQ(digits(), QString(c.afterTwoTicks));
        EXPECT_TRUE(sounds.played.isEmpty()) << "no countdown sound far from the end";
        ReadWriteClockSettings(state, "write");
        EXPECT_TRUE(folder.read("darvel.ini").contains("Time=" + QByteArray(c.afterTwoTicks) + "\r\n"));
    }
}

TEST_F(LevelClockTest, ANegativeLevelLengthLastsOneSecondAtZeroAsAZeroLengthDoes)
{
    addLevel(25, 50, 0, -20);
    addLevel(50, 100, 0, 20, 10);
    addLevel(100, 200, 0, -5);
    state.Tournament.Level = 1;
    create();
    EXPECT_EQ(blinds.at(1).Minutes, 0);
    EXPECT_EQ(digits(), QString("00:00"));
    EXPECT_EQ(clock().levelMinutesText, QString("0"));
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("00:20")); // level 1 counts as no time
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime), QString("00:00"));
    run();
    tick();
    EXPECT_EQ(state.Tournament.Level, 2);
    EXPECT_EQ(digits(), QString("20:00"));
    EXPECT_EQ(sounds.played.size(), 0);

    state.Tournament.Level = 3; // the last level: it stops at 00:00 and stays silent there
    state.Tournament.Time = "--:--";
    create();
    EXPECT_EQ(digits(), QString("00:00"));
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime), QString("00:20"));
    run();
    sounds.played.clear();
    tick(5);
    EXPECT_EQ(digits(), QString("00:00"));
    EXPECT_TRUE(sounds.played.isEmpty());
}

TEST_F(LevelClockTest, ResumedTimeGivesTheTotalTimeAndItsNextMinute)
{
    threeLevels();
    state.Tournament.Level = 2;
    state.Tournament.Time = "12:34";
    create();
    EXPECT_EQ(clock().secondsCounter, 26);
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime), QString("00:28")); // 20 before the level and 8 into it
    run();
    tick(33);
    EXPECT_EQ(digits(), QString("12:01"));
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime), QString("00:28"));
    tick();
    EXPECT_EQ(digits(), QString("12:00"));
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime), QString("00:29"));
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("00:19"));
}

TEST_F(LevelClockTest, LevelEndsWithTickAndEndSoundsThenTheNextLevelsFullTime)
{
    threeLevels();
    state.Tournament.Level = 1;
    state.Tournament.Time = "00:07";
    create();
    run();
    tick();
    EXPECT_EQ(digits(), QString("00:06"));
    EXPECT_TRUE(sounds.played.isEmpty());
    const char* expected[] = {"00:05", "00:04", "00:03", "00:02", "00:01"};
    for (int i = 0; i < 5; ++i) {
        tick();
        EXPECT_EQ(digits(), QString(expected[i]));
        EXPECT_EQ(soundsEndingWith("tick.WAV"), i + 1) << "the tick file is found whatever its case";
        EXPECT_EQ(digitColour(), Digit);
    }
    tick();
    EXPECT_EQ(digits(), QString("00:00"));
    EXPECT_EQ(soundsEndingWith("End.wav"), 1);
    EXPECT_EQ(sounds.played.size(), 6);
    EXPECT_EQ(digitColour(), Alert);
    EXPECT_EQ(state.Tournament.Level, 1);

    tick();
    EXPECT_EQ(state.Tournament.Level, 2);
    EXPECT_EQ(digits(), QString("20:00"));
    EXPECT_EQ(digitColour(), Digit);
    EXPECT_EQ(caption(ScreenElementId::lblBlinds), QString("50/100"));
    EXPECT_EQ(caption(ScreenElementId::lblLevel), QString("2"));
    EXPECT_EQ(clock().levelMinutesText, QString("20"));
    tick();
    EXPECT_EQ(digits(), QString("19:59"));
    EXPECT_EQ(sounds.played.size(), 6);
}

TEST_F(LevelClockTest, BreakFollowsItsLevelAndTheNextLevelFollowsTheBreak)
{
    threeLevels();
    state.Tournament.Level = 2;
    state.Tournament.Time = "00:01";
    create();
    run();
    tick();
    EXPECT_EQ(digits(), QString("00:00"));

    tick(); // shows the notice, digits unchanged
    EXPECT_TRUE(visible(ScreenElementId::lblBreakNotice));
    for (const ScreenElementId name : {ScreenElementId::lblBlinds, ScreenElementId::lblBlindsCaption,
                                       ScreenElementId::lblAnteCaption, ScreenElementId::lblAnte}) {
        EXPECT_FALSE(visible(name)) << name;
    }
    EXPECT_EQ(digits(), QString("00:00"));
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("--:--"));
    EXPECT_EQ(clock().levelMinutesText, QString("10"));
    EXPECT_EQ(state.Tournament.Level, 2);

    tick();
    EXPECT_EQ(digits(), QString("10:00"));
    EXPECT_EQ(digitColour(), Digit);
    tick();
    EXPECT_EQ(digits(), QString("09:59"));
    sounds.played.clear();
    tick(599);
    EXPECT_EQ(digits(), QString("00:00"));
    EXPECT_EQ(soundsEndingWith("End.wav"), 1);
    EXPECT_EQ(soundsEndingWith("tick.WAV"), 5);
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("--:--"));

    tick();
    EXPECT_FALSE(visible(ScreenElementId::lblBreakNotice));
    EXPECT_TRUE(visible(ScreenElementId::lblBlinds));
    EXPECT_TRUE(visible(ScreenElementId::lblAnte));
    EXPECT_EQ(state.Tournament.Level, 3);
    EXPECT_EQ(digits(), QString("20:00"));
    EXPECT_EQ(caption(ScreenElementId::lblBlinds), QString("100/200"));
    EXPECT_EQ(caption(ScreenElementId::lblAnte), QString("25"));
    EXPECT_EQ(caption(ScreenElementId::lblNextLevel), QString("-/-"));
    EXPECT_EQ(caption(ScreenElementId::lblNextAnte), QString("-"));
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("--:--")); // no break ahead
}

TEST_F(LevelClockTest, TotalTimeRunsThroughTheBreak)
{
    threeLevels();
    state.Tournament.Level = 2;
    create();
    run();
    tick(20 * 60 + 1 + 10 * 60 + 1 + 1);
    EXPECT_EQ(state.Tournament.Level, 3);
    // 20 before level 2, then 20:01 + 10:02 ticks: 30 minutes and 3 seconds
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime), QString("00:50"));
}

TEST_F(LevelClockTest, LastLevelStopsAtZeroAndNothingChangesAnyMore)
{
    threeLevels();
    state.Tournament.Level = 3;
    state.Tournament.Time = "00:02";
    state.Tournament.Refresh = 1;
    create();
    run();
    tick(2);
    EXPECT_EQ(digits(), QString("00:00"));
    const int revision = screen().revision();
    const int played = int(sounds.played.size());
    const int recounts = refreshes;
    const int stats = statistics;
    tick(120);
    EXPECT_EQ(screen().revision(), revision);
    EXPECT_EQ(sounds.played.size(), played);
    EXPECT_EQ(refreshes, recounts);
    EXPECT_EQ(statistics, stats);
    EXPECT_EQ(state.Tournament.Level, 3);
    EXPECT_EQ(state.Tournament.Time, QString("00:00"));
}

TEST_F(LevelClockTest, BreakAfterTheLastLevelRunsAndThenTheClockStops)
{
    addLevel(25, 50, 0, 1, 1);
    state.Tournament.Level = 1;
    state.Tournament.Time = "00:01";
    create();
    run();
    tick(2);
    EXPECT_TRUE(visible(ScreenElementId::lblBreakNotice));
    tick(61);
    EXPECT_EQ(digits(), QString("00:00"));
    tick(5);
    EXPECT_EQ(digits(), QString("00:00"));
    EXPECT_EQ(state.Tournament.Level, 1);
}

TEST_F(LevelClockTest, CountDownTouchesOnlyChangedCells)
{
    threeLevels();
    state.Tournament.Level = 1;
    state.Tournament.Time = "10:01";
    create();
    run();
    tick(); // 10:00, and the digits take the running colour
    // The window redraws an element when its revision grows: one step per new digit, none for a move
    // (equal widths never move a cell) or for the colon.
    std::vector<int> revisions;
    for (int i = 0; i < 5; ++i) {
        revisions.push_back(screen().timer(i).revision);
    }
    tick(); // 09:59: all four digits change
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(screen().timer(i).revision, revisions[size_t(i)] + (i == 2 ? 0 : 1)) << i;
    }
    tick(); // 09:58: only the last digit
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(screen().timer(i).revision, revisions[size_t(i)] + (i == 2 ? 0 : 1)) << i;
    }
    EXPECT_EQ(screen().timer(4).revision, revisions[4] + 2);
}

TEST_F(LevelClockTest, CountDownCentresTheCellsWithGaps)
{
    addLevel(25, 50, 0, 20);
    state.Tournament.Level = 1;
    create();
    // each digit is 1800 wide at 180 points: five cells and gaps make 9500
    const int left = screen().screenWidth() / 2 - 9500 / 2;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(screen().timer(i).left, left + i * 1900) << i;
    }
    screen().setScreenSize(20000, 12000);
    clock().CountDown();
    EXPECT_EQ(screen().timer(0).left, 10000 - 4750);
}

TEST_F(LevelClockTest, RecountsEveryRefreshSecondsEvenWhenRefreshDrops)
{
    addLevel(25, 50, 0, 20);
    state.Tournament.Level = 1;
    state.Tournament.Refresh = 30;
    create();
    run();
    tick(29);
    EXPECT_EQ(refreshes, 0);
    tick();
    EXPECT_EQ(refreshes, 1);
    tick(20);
    state.Tournament.Refresh = 5;
    tick();
    EXPECT_EQ(refreshes, 2);
    state.Tournament.Refresh = 0;
    tick(100);
    EXPECT_EQ(refreshes, 2);
}

TEST_F(LevelClockTest, StatisticsEveryTickAndPrizePoolEveryThirdSecond)
{
    addLevel(25, 50, 0, 20);
    state.Tournament.Level = 1;
    create();
    run();
    tick(6);
    EXPECT_EQ(statistics, 6);
    EXPECT_EQ(prizePools, 2);
}

TEST_F(LevelClockTest, AFailingStatisticsRefreshDoesNotStopTheClock)
{
    addLevel(25, 50, 0, 20);
    state.Tournament.Level = 1;
    create();
    statisticsFail = true;
    run();
    tick(3);
    EXPECT_EQ(digits(), QString("19:57"));
    EXPECT_EQ(statistics, 3);
    EXPECT_EQ(prizePools, 1);
}

TEST_F(LevelClockTest, PointerHidesAfterFiveRunningTicksUnlessTheButtonsShow)
{
    addLevel(25, 50, 0, 20);
    state.Tournament.Level = 1;
    create();
    tick(10);
    EXPECT_TRUE(mouseShown.isEmpty()) << "a paused clock never hides the pointer";
    run();
    tick(4);
    EXPECT_TRUE(mouseShown.isEmpty());
    tick();
    ASSERT_EQ(mouseShown, QList<bool>{false});
    EXPECT_TRUE(clock().mouseHidden);
    tick(20);
    EXPECT_EQ(mouseShown.size(), 1);

    logic->commands.pointerMoved(100, 5000);
    logic->commands.pointerMoved(200, 5000);
    EXPECT_EQ(mouseShown, (QList<bool>{false, true}));
    EXPECT_FALSE(clock().mouseHidden);
    logic->commands.pointerMoved(float(screen().screenWidth() - 10), 10);
    EXPECT_TRUE(visible(ScreenElementId::shpButton));
    tick(20);
    EXPECT_EQ(mouseShown.size(), 2) << "not hidden while the buttons show";
}

TEST_F(LevelClockTest, NoLevelsAndNoTimeGiveTheEndSoundOnEveryTick)
{
    state.Tournament.Level = 1;
    create();
    EXPECT_EQ(state.Tournament.Time, QString("--:--"));
    run();
    tick(3);
    EXPECT_EQ(state.Tournament.Time, QString("--:--"));
    EXPECT_EQ(soundsEndingWith("End.wav"), 3);
    EXPECT_EQ(digitColour(), Alert);
}

TEST_F(LevelClockTest, LevelZeroShowsZeroAndStartsTheFirstLevel)
{
    threeLevels();
    state.Tournament.Level = 0;
    create();
    EXPECT_EQ(digits(), QString("00:00"));
    EXPECT_EQ(caption(ScreenElementId::lblBlinds), QString("-/-")) << "no level 0 to show";
    EXPECT_EQ(caption(ScreenElementId::lblNextLevel), QString("25/50"));
    run();
    tick();
    EXPECT_EQ(state.Tournament.Level, 1);
    EXPECT_EQ(digits(), QString("20:00"));
}

TEST_F(LevelClockTest, LevelBeyondTheStructureStaysStill)
{
    threeLevels();
    state.Tournament.Level = 7;
    state.Tournament.Time = "00:01";
    create();
    run();
    tick(3);
    EXPECT_EQ(state.Tournament.Level, 7);
    EXPECT_EQ(digits(), QString("00:00"));
}

TEST_F(LevelClockTest, TimeToNextBreakAndElapsedBeforeLevel)
{
    addLevel(1, 2, 0, 15);
    addLevel(2, 4, 0, 20, 5);
    addLevel(3, 6, 0, 100);
    addLevel(4, 8, 0, 35, 10);
    addLevel(5, 10, 0, 30);
    create();
    EXPECT_EQ(clock().TimeToNextBreak(1), QString("00:35"));
    EXPECT_EQ(clock().TimeToNextBreak(2), QString("00:20")) << "the whole current level counts";
    EXPECT_EQ(clock().TimeToNextBreak(3), QString("02:15"));
    EXPECT_EQ(clock().TimeToNextBreak(5), QString("--:--"));
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("--:--"));
    EXPECT_EQ(clock().ElapsedBeforeLevel(1), QString("00:00"));
    EXPECT_EQ(clock().ElapsedBeforeLevel(4), QString("02:15")) << "breaks are not counted";
    EXPECT_EQ(clock().totalTimeText, QString("02:15"));
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime), QString("02:15"));
    EXPECT_EQ(clock().ElapsedBeforeLevel(9), QString("03:20"));
}

TEST_F(LevelClockTest, BlindsLineIsCentredWithCaptionsRightAligned)
{
    addLevel(1000, 2000, 0, 15);
    create();
    clock().SetBlind(1);
    const ScreenElement& panel = screen().element(ScreenElementId::shpBlinds);
    const ScreenElement& caption = screen().element(ScreenElementId::lblBlindsCaption);
    const ScreenElement& blindsLabel = screen().element(ScreenElementId::lblBlinds);
    EXPECT_EQ(panel.width, caption.width + blindsLabel.width + 900);
    EXPECT_EQ(panel.left, screen().screenWidth() / 2 - panel.width / 2);
    EXPECT_EQ(caption.left, panel.left + 250);
    EXPECT_EQ(blindsLabel.left + blindsLabel.width + 250, panel.left + panel.width);
    for (const ScreenElementId name : {ScreenElementId::lblAnteCaption, ScreenElementId::lblNextLevelCaption,
                                       ScreenElementId::lblNextAnteCaption}) {
        const ScreenElement& e = screen().element(name);
        EXPECT_EQ(e.left + e.width, caption.left + caption.width) << name;
    }
    for (const ScreenElementId name :
         {ScreenElementId::lblAnte, ScreenElementId::lblNextLevel, ScreenElementId::lblNextAnte}) {
        EXPECT_EQ(screen().element(name).left, blindsLabel.left) << name;
    }
    EXPECT_EQ(screen().element(ScreenElementId::shpNext).width, panel.width);
    EXPECT_EQ(screen().element(ScreenElementId::shpNext).left, panel.left);
    EXPECT_EQ(caption.width, 7 * 360);
}

TEST_F(LevelClockTest, SetBlindOutsideTheStructureKeepsTheBlinds)
{
    threeLevels();
    state.Tournament.Level = 1;
    create();
    clock().SetBlind(9);
    EXPECT_EQ(caption(ScreenElementId::lblBlinds), QString("25/50"));
    EXPECT_EQ(caption(ScreenElementId::lblNextLevel), QString("-/-"));
    EXPECT_EQ(caption(ScreenElementId::lblLevel), QString("9"));
}

} // namespace

namespace {

// Levels of 100 minutes or more: every digit stays on screen, and the keys and the tick work across 100.
TEST_F(LevelClockTest, HundredMinuteLevelsKeepEveryDigit)
{
    addLevel(25, 50, 0, 120);
    addLevel(50, 100, 0, 100);
    state.Tournament.Level = 1;
    create();
    EXPECT_EQ(digits(), QString("120:00"));
    EXPECT_EQ(screen().timer(0).caption, QString("12"));
    // the wider first cell keeps the five cells centred
    int width = 0;
    for (int i = 0; i < 5; ++i) {
        width += screen().timer(i).width + 100;
    }
    EXPECT_EQ(screen().timer(0).left, screen().screenWidth() / 2 - width / 2);

    key(VirtualKey::F10); // already the full length
    EXPECT_EQ(digits(), QString("120:00"));
    key(VirtualKey::F9);
    EXPECT_EQ(digits(), QString("119:00"));
    run();
    tick();
    EXPECT_EQ(digits(), QString("118:59"));

    state.Tournament.Time = "100:01";
    tick();
    EXPECT_EQ(digits(), QString("100:00"));
    tick();
    EXPECT_EQ(digits(), QString("99:59"));
    EXPECT_EQ(screen().timer(0).caption, QString("9"));
}

} // namespace

TEST_F(LevelClockTest, ResumedBreakRunsOnAndThenTheNextLevel)
{
    threeLevels();
    state.Tournament.Level = 2;
    state.Tournament.Time = "00:03";
    create();
    clock().resumeBreak(state.Tournament.Time);
    EXPECT_TRUE(visible(ScreenElementId::lblBreakNotice));
    for (const ScreenElementId name : {ScreenElementId::lblBlinds, ScreenElementId::lblBlindsCaption,
                                       ScreenElementId::lblAnteCaption, ScreenElementId::lblAnte}) {
        EXPECT_FALSE(visible(name)) << name;
    }
    EXPECT_EQ(clock().levelMinutesText, QString("10"));
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime),
              QString("00:50")); // both levels and the break, as at start-up
    run();
    tick(3);
    EXPECT_EQ(digits(), QString("00:00"));
    tick(); // the break is over: no second break
    EXPECT_FALSE(visible(ScreenElementId::lblBreakNotice));
    EXPECT_EQ(state.Tournament.Level, 3);
    EXPECT_EQ(digits(), QString("20:00"));
}

TEST_F(LevelClockTest, ResumedBreakOfALevelWithoutOneChangesNothing)
{
    threeLevels();
    state.Tournament.Level = 1;
    state.Tournament.Time = "05:00";
    create();
    clock().resumeBreak(state.Tournament.Time);
    EXPECT_FALSE(visible(ScreenElementId::lblBreakNotice));
    EXPECT_TRUE(visible(ScreenElementId::lblBlinds));
    EXPECT_EQ(clock().levelMinutesText, QString("20"));
}
