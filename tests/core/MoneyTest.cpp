#include "core/Money.h"

#include "core/DecimalNumber.h"

#include <gtest/gtest.h>

namespace {

TEST(Money, ReadsExactlyAndRoundsToFourDecimalsHalfToEven)
{
    EXPECT_EQ(Money::fromLeadingText(u"12.345")->raw(), 123450);
    EXPECT_EQ(Money::fromLeadingText(u"1 000")->raw(), 10000000);
    EXPECT_EQ(Money::fromLeadingText(u"0.1")->raw(), 1000); // no binary fraction creeps in
    EXPECT_EQ(Money::fromLeadingText(u"1.00005")->raw(), 10000);
    EXPECT_EQ(Money::fromLeadingText(u"1.00015")->raw(), 10002);
    EXPECT_EQ(Money::fromLeadingText(u"-1.00015")->raw(), -10002);
    EXPECT_EQ(Money::fromLeadingText(u"922337203685477.5807")->raw(), INT64_MAX);
    EXPECT_FALSE(Money::fromLeadingText(u"922337203685477.5808"));
    EXPECT_EQ(Money::fromLeadingText(u"x")->raw(), 0);
}

TEST(Money, ShortestForm)
{
    EXPECT_EQ(Money::fromRaw(10000000).toString(), u"1000");
    EXPECT_EQ(Money::fromRaw(125000).toString(), u"12.5");
    EXPECT_EQ(Money::fromRaw(123456).toString(), u"12.3456");
    EXPECT_EQ(Money::fromRaw(1).toString(), u"0.0001");
    EXPECT_EQ(Money::fromRaw(-1).toString(), u"-0.0001");
    EXPECT_EQ(Money::fromRaw(-125000).toString(), u"-12.5");
    EXPECT_EQ(Money().toString(), u"0");
    EXPECT_EQ(Money::fromRaw(INT64_MIN).toString(), u"-922337203685477.5808");
    EXPECT_EQ(Money::fromRaw(INT64_MAX).toString(), u"922337203685477.5807");
}

TEST(Money, ShortestFormReadsBackToTheSameValue)
{
    for (qint64 raw : {qint64(0), qint64(1), qint64(-1), qint64(99999), qint64(123456789), qint64(-50000),
                       qint64(INT64_MAX), qint64(INT64_MIN)}) {
        EXPECT_EQ(Money::fromLeadingText(Money::fromRaw(raw).toString())->raw(), raw) << raw;
    }
}

TEST(Money, CheckedArithmeticReportsOverflow)
{
    const Money big = Money::fromRaw(INT64_MAX / 2 + 1);
    EXPECT_FALSE(big.checkedAdd(big));
    EXPECT_FALSE(big.checkedMultiply(2));
    EXPECT_EQ(Money::fromWhole(25)->checkedMultiply(4)->raw(), 1000000);
    EXPECT_FALSE(Money::fromWhole(INT64_MAX / 1000));
}

TEST(Money, RoundedWholeTakesHalvesUp)
{
    EXPECT_EQ(Money::fromLeadingText(u"444.5")->roundedWhole(), 445);
    EXPECT_EQ(Money::fromLeadingText(u"444.4999")->roundedWhole(), 444);
    EXPECT_EQ(Money::fromLeadingText(u"-2.5")->roundedWhole(), -3);
}

} // namespace
