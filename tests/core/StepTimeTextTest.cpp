#include "core/StepTimeText.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct Step
{
    const char* text;
    int left;
    int right;
    bool clamp;
    const char* expected;
};

class StepTimeTextCases : public testing::TestWithParam<Step>
{
};

TEST_P(StepTimeTextCases, Steps)
{
    const Step& s = GetParam();
    EXPECT_EQ(StepTimeText(s.text, s.left, s.right, s.clamp), QString(s.expected))
        << s.text << " " << s.left << " " << s.right << (s.clamp ? " clamp" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Times, StepTimeTextCases,
    testing::Values(Step{"00:00", 0, -1, false, "00:00"}, // the clock never runs below zero
                    Step{"00:00", -1, 0, false, "00:00"}, Step{"00:00", 0, 1, false, "00:01"},
                    Step{"19:59", 0, 1, false, "20:00"}, Step{"05:00", 0, -1, false, "04:59"},
                    Step{"07:59", 0, 1, true, "07:59"}, Step{"07:00", 0, -1, true, "07:00"},
                    Step{"01:59", 0, 1, false, "02:00"}, Step{"--:--", 0, -1, false, "--:--"},
                    Step{"--:--", 1, 0, false, "--:--"}, Step{"20:00", -1, 0, false, "19:00"},
                    Step{"5:01", 0, -1, false, "05:00"},   // a level's length has one digit
                    Step{"99:59", 0, 1, false, "100:00"},  // at least two digits
                    Step{"00:30", -1, 0, false, "-01:30"}, // a negative part keeps its sign
                    Step{"00:00", 1, -1, false, "00:59"}));

TEST(HoursMinutesText, FormatsWholeHours)
{
    EXPECT_EQ(HoursMinutesText(135), QString("02:15"));
    EXPECT_EQ(HoursMinutesText(0), QString("00:00"));
    EXPECT_EQ(HoursMinutesText(6000), QString("100:00"));
}

} // namespace
