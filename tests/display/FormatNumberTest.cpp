#include "display/FormatNumber.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(FormatNumber, MatchesTheScreenPatterns)
{
    const struct
    {
        qint64 value;
        const char16_t* pattern;
        const char* expected;
    } cases[] = {
        {0, u"##,###", ""},
        {0, u"##,###,###", ""},
        {0, u"##,###,##0", "0"},
        {0, u"###,##0", "0"},
        {7, u"##,###", "7"},
        {999, u"##,###", "999"},
        {1000, u"##,###", "1,000"},
        {1234567, u"##,###", "1,234,567"}, // beyond the pattern's places
        {123456789012, u"##,###,###", "123,456,789,012"},
        {-1500, u"##,###", "-1,500"},
        {-12, u"###,##0", "-12"},
        {1234, u"0000", "1234"},
        {5, u"000", "005"},
        {std::numeric_limits<qint64>::min(), u"#,#", "-9,223,372,036,854,775,808"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatNumber(c.value, QStringView(c.pattern)), QString::fromLatin1(c.expected))
            << c.value << " " << QString::fromUtf16(c.pattern).toStdString();
    }
}

TEST(FormatNumber, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(FormatNumber(2.5, u"###,##0"), "3");
    EXPECT_EQ(FormatNumber(3.5, u"###,##0"), "4");
    EXPECT_EQ(FormatNumber(1999.4999, u"###,##0"), "1,999");
    EXPECT_EQ(FormatNumber(-2.5, u"###,##0"), "-3");
    EXPECT_EQ(FormatNumber(0.4, u"##,###"), "");
    EXPECT_EQ(FormatNumber(Money::fromRaw(25000), u"##,###,##0"), "3");   // 2.5
    EXPECT_EQ(FormatNumber(Money::fromRaw(24999), u"##,###,##0"), "2");   // 2.4999
    EXPECT_EQ(FormatNumber(Money::fromRaw(-25000), u"##,###,##0"), "-3"); // -2.5
}

} // namespace
