#include "core/BlindAmount.h"

#include <gtest/gtest.h>

namespace {

TEST(BlindAmountTest, HandMadeAmountsReadAsPlainNumbers)
{
    const struct
    {
        const char* caption;
        const char* plain;
    } cases[] = {
        {"300", "300"},
        {"1.5K", "1500"},
        {"1.5k", "1500"},
        {"2K", "2000"},
        {"2.25M", "2250000"},
        {"2M", "2000000"},
        {"0.5K", "500"},
        {"1,000", "1000"},
        {"1,500,000", "1500000"},
        {"$1,000", "1000"},
        {"€ 25", "25"},
        {"1.000.000", "1000000"},
        {"2,5K", "2500"},
        {"12.5", "12.5"},
        {"0", "0"},
        {"0K", "0"},
        {"-", ""},
        {"", ""},
        {"none", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BlindAmount::plain(QString::fromUtf8(c.caption)), QString::fromUtf8(c.plain)) << c.caption;
    }
    EXPECT_EQ(BlindAmount::value(QStringLiteral("1.5K")), 1500.0);
    EXPECT_EQ(BlindAmount::value(QStringLiteral("12.5")), 12.5);
    EXPECT_FALSE(BlindAmount::value(QStringLiteral("-")));
}

} // namespace
