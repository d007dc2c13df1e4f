#include "core/DecimalNumber.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct LeadingCase
{
    const char* text;
    std::optional<qint16> int16;
};

class LeadingToInt16 : public testing::TestWithParam<LeadingCase>
{
};

TEST_P(LeadingToInt16, ReadsAndRoundsHalfToEven)
{
    const LeadingCase& c = GetParam();
    EXPECT_EQ(DecimalNumber::leading(QString::fromUtf8(c.text)).toInt16(), c.int16) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeadingToInt16,
    testing::Values(
        LeadingCase{"3.5", 4}, LeadingCase{"2.5", 2}, LeadingCase{"-2.5", -2}, LeadingCase{"-3.5", -4},
        LeadingCase{"2.5000001", 3}, LeadingCase{"abc", 0}, LeadingCase{"", 0}, LeadingCase{"12abc", 12},
        LeadingCase{"  7", 7}, LeadingCase{"1 000", 1000}, LeadingCase{"1\t2\n3", 123}, LeadingCase{"+5", 5},
        LeadingCase{"- 5", -5}, LeadingCase{"--5", 0}, LeadingCase{".5", 0}, LeadingCase{".51", 1},
        LeadingCase{"1.2.3", 1}, LeadingCase{"1e3", 1000}, LeadingCase{"1E+2", 100}, LeadingCase{"25e-1", 2},
        LeadingCase{"1D2", 100}, LeadingCase{"7e", 7}, LeadingCase{"7e+", 7}, LeadingCase{"&HFF", 255},
        LeadingCase{"&h1f", 31}, LeadingCase{"&O17", 15}, LeadingCase{"&O8", 0}, LeadingCase{"&X1", 0},
        LeadingCase{"32767", 32767}, LeadingCase{"-32768", -32768}, LeadingCase{"32767.5", std::nullopt},
        LeadingCase{"32768", std::nullopt}, LeadingCase{"-32769", std::nullopt},
        LeadingCase{"1e999999999999", std::nullopt}, LeadingCase{"99999999999999999999999", std::nullopt},
        LeadingCase{"1e-99999", 0}, LeadingCase{"0000000000000000000000012", 12}, LeadingCase{"\r5", 0}),
    [](const auto& testCase) { return std::to_string(testCase.index); });

TEST(DecimalNumber, StrictNeedsTheWholeTextToBeANumber)
{
    EXPECT_EQ(DecimalNumber::strict(u"  12 ")->toInt16(), 12);
    EXPECT_EQ(DecimalNumber::strict(u"\t-3\t")->toInt16(), -3);
    EXPECT_EQ(DecimalNumber::strict(u"2.5")->toInt16(), 2);
    EXPECT_EQ(DecimalNumber::strict(u"1.5")->toInt16(), 2);
    EXPECT_FALSE(DecimalNumber::strict(u""));
    EXPECT_FALSE(DecimalNumber::strict(u"   "));
    EXPECT_FALSE(DecimalNumber::strict(u"abc"));
    EXPECT_FALSE(DecimalNumber::strict(u"12x"));
    EXPECT_FALSE(DecimalNumber::strict(u"2 0"));
    EXPECT_FALSE(DecimalNumber::strict(u"- 5"));
    EXPECT_FALSE(DecimalNumber::strict(u"1\n2"));
    EXPECT_FALSE(DecimalNumber::strict(u"-"));
    EXPECT_FALSE(DecimalNumber::strict(u"."));
}

TEST(DecimalNumber, ThirtyTwoBitRange)
{
    EXPECT_EQ(DecimalNumber::leading(u"2147483647").toInt32(), 2147483647);
    EXPECT_EQ(DecimalNumber::leading(u"-2147483648").toInt32(), -2147483647 - 1);
    EXPECT_FALSE(DecimalNumber::leading(u"2147483648").toInt32());
    EXPECT_EQ(DecimalNumber::leading(u"40000").toInt32(), 40000);
}

TEST(DecimalNumber, ScaledRoundingAtTheEdgesOfSixtyFourBits)
{
    EXPECT_EQ(DecimalNumber::leading(u"9223372036854775807").scaledRounded(0), INT64_MAX);
    EXPECT_EQ(DecimalNumber::leading(u"-9223372036854775808").scaledRounded(0), INT64_MIN);
    EXPECT_FALSE(DecimalNumber::leading(u"9223372036854775808").scaledRounded(0));
    EXPECT_FALSE(DecimalNumber::leading(u"9223372036854775807.5").scaledRounded(0));
    EXPECT_EQ(DecimalNumber::leading(u"0.00005").scaledRounded(4), 0);
    EXPECT_EQ(DecimalNumber::leading(u"0.00015").scaledRounded(4), 2);
    EXPECT_EQ(DecimalNumber::leading(u"0.000151").scaledRounded(4), 2);
    EXPECT_EQ(DecimalNumber::fromInteger(INT64_MIN).scaledRounded(0), INT64_MIN);
}

} // namespace
