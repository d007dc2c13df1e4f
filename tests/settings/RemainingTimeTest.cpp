#include "settings/RemainingTime.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(MinutesSpinner, KeepsSecondsAndStopsAtTheFullLength)
{
    struct Case
    {
        const char* time;
        int minutes;
        int level;
        const char* expected;
        std::optional<int> seconds;
    };
    for (const Case& c :
         {Case{"19:45", 18, 20, "18:45", std::nullopt}, Case{"19:45", 20, 20, "20:00", 0},
          Case{"05:30", 0, 20, "00:30", std::nullopt}, Case{"05:30", 5, 0, "05:30", std::nullopt},
          // Nothing started yet: the seconds become 00, not dashes the clock cannot count.
          Case{"--:--", 3, 20, "03:00", std::nullopt}, Case{"--:--", 20, 20, "20:00", 0}}) {
        const RemainingTime::Change change = RemainingTime::minutesChanged(c.time, c.minutes, c.level);
        EXPECT_EQ(change.time, QString(c.expected)) << c.time << " to " << c.minutes;
        EXPECT_EQ(change.seconds, c.seconds) << c.time << " to " << c.minutes;
    }
}

TEST(SecondsSpinner, ChangesSecondsOnlyBelowTheFullLength)
{
    struct Case
    {
        const char* time;
        int seconds;
        int minutesSpinner;
        int level;
        const char* expected;
        std::optional<int> reset;
    };
    for (const Case& c :
         {Case{"19:45", 7, 19, 20, "19:07", std::nullopt}, Case{"20:00", 59, 20, 20, "20:00", 0},
          Case{"25:10", 30, 25, 20, "25:10", 0}, Case{"--:--", 5, 0, 20, "00:05", std::nullopt}}) {
        const RemainingTime::Change change =
            RemainingTime::secondsChanged(c.time, c.seconds, c.minutesSpinner, c.level);
        EXPECT_EQ(change.time, QString(c.expected)) << c.time << " to " << c.seconds;
        EXPECT_EQ(change.seconds, c.reset) << c.time << " to " << c.seconds;
    }
}

TEST(LevelPick, CutsOnlyATimeBeyondTheLevel)
{
    struct Case
    {
        const char* time;
        int level;
        const char* expected;
    };
    for (const Case& c : {Case{"25:10", 20, "20:00"}, Case{"15:00", 20, "15:00"}, Case{"20:00", 20, "20:00"},
                          Case{"20:01", 20, "20:00"}, Case{"21:00", 20, "20:00"}, Case{"19:59", 20, "19:59"},
                          Case{"--:--", 20, "--:--"}, Case{"05:00", 3, "03:00"}}) {
        EXPECT_EQ(RemainingTime::levelPicked(c.time, c.level), QString(c.expected))
            << c.time << " " << c.level;
    }
}

TEST(StoredTime, ShortFormIsReadAsMinutesAndSeconds)
{
    for (auto [stored, shown] :
         {std::pair{"5:00", "05:00"}, std::pair{" 7:05", "07:05"}, std::pair{"12:30", "12:30"},
          std::pair{" 12:30 ", "12:30"}, std::pair{"--:--", "--:--"}, std::pair{"5:0", "5:0"},
          std::pair{":30", ":30"}, std::pair{"x:30", "x:30"}, std::pair{"", ""}, std::pair{"500", "500"}}) {
        EXPECT_EQ(RemainingTime::normalised(stored), QString(shown)) << stored;
    }
}

TEST(TimeParts, ReadLeadingNumbersOfEachHalf)
{
    EXPECT_EQ(RemainingTime::minutesPart("19:45"), 19);
    EXPECT_EQ(RemainingTime::secondsPart("19:45"), 45);
    EXPECT_EQ(RemainingTime::minutesPart("--:--"), 0);
    EXPECT_EQ(RemainingTime::secondsPart("--:--"), 0);
    EXPECT_EQ(RemainingTime::minutesPart(" 7:05"), 7);
    EXPECT_EQ(RemainingTime::fullLength(5), "05:00");
}

} // namespace
