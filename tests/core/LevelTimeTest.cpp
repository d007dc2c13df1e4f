#include "core/LevelTime.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(LevelTimeTest, OnlyATimeWithinTheLevelIsKeptAnythingElseIsTheFullLength)
{
    struct Case
    {
        const char* text;
        int minutes;
        const char* kept;
    };
    const Case cases[] = {
        {"12:34", 20, "12:34"},    {"20:00", 20, "20:00"},
        {"00:00", 20, "00:00"},                            // the level has run out: the next tick moves on
        {"5:00", 20, "05:00"},                             // the older short form
        {"0:00", 0, "00:00"},                              // a 0-minute level's full length in the short form
        {"125:30", 180, "125:30"}, {"20:01", 20, "20:00"}, // beyond the level
        {"45:00", 20, "20:00"},    {"--:--", 20, "20:00"}, // not started
        {"abc", 20, "20:00"},      {"", 20, "20:00"},
        {"-1:-1", 20, "20:00"},    {"-05:00", 20, "20:00"},
        {"12:60", 20, "20:00"}, // no such second
        {"12:5", 20, "20:00"},     {"12", 20, "20:00"},
        {" 12:34", 20, "20:00"},   {"12:34x", 20, "20:00"},
        {"1:2:34", 20, "20:00"},   {"123456:00", 32767, "32767:00"},
        {"05:00", 0, "00:00"},                            // a 0-minute level holds nothing but 00:00
        {"abc", 0, "00:00"},       {"abc", -20, "00:00"}, // a negative length counts as none
        {"00:00", -20, "00:00"},   {"05:00", 5, "05:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in " + std::to_string(c.minutes) + " minutes");
        EXPECT_EQ(LevelTime::checked(QString::fromLatin1(c.text), c.minutes), QString::fromLatin1(c.kept));
    }
}

} // namespace
