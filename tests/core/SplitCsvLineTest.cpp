#include "core/SplitCsvLine.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase
{
    const char* line;
    std::vector<const char*> fields;
};

class Split : public testing::TestWithParam<SplitCase>
{
};

TEST_P(Split, GivesTheFields)
{
    const SplitCase& c = GetParam();
    QStringList expected;
    for (const char* f : c.fields) {
        expected.append(QString::fromUtf8(f));
    }
    EXPECT_EQ(SplitCsvLine(QString::fromUtf8(c.line)), expected) << "line: [" << c.line << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Split,
    testing::Values(SplitCase{"", {""}}, SplitCase{"a", {"a"}}, SplitCase{"a,b,", {"a", "b", ""}},
                    SplitCase{"a, ,b", {"a", "", "b"}}, SplitCase{" x y ,z", {"x y", "z"}},
                    SplitCase{"\"1,000\",2", {"1,000", "2"}}, SplitCase{"\"a, b\"  ,c", {"a, b", "c"}},
                    SplitCase{"\"a\"b ,c", {"a\"b", "c"}}, SplitCase{"\"a\" b,c", {"a\" b", "c"}},
                    SplitCase{"a\"b,c", {"a\"b", "c"}}, SplitCase{"\"a\"\"b\",c", {"a\"\"b\"", "c"}},
                    SplitCase{"\"open, to the end  ", {"open, to the end  "}}, SplitCase{"a,  ", {"a", "  "}},
                    SplitCase{",", {"", ""}}, SplitCase{",,", {"", "", ""}},
                    SplitCase{"\t a\t,b", {"\t a\t", "b"}}, SplitCase{"  ", {"  "}}, SplitCase{"\"\"", {""}},
                    SplitCase{"\"\",x", {"", "x"}}, SplitCase{"a  ", {"a"}}, SplitCase{"\"q\"  ", {"q"}},
                    SplitCase{"1,25,50,0,20,0", {"1", "25", "50", "0", "20", "0"}}),
    [](const auto& testCase) { return std::to_string(testCase.index); });

TEST(SplitCsvLine, GrowsPastSixtyFourFields)
{
    QStringList parts;
    for (int i = 0; i < 200; ++i) {
        parts.append(QString::number(i));
    }
    const QStringList fields = SplitCsvLine(parts.join(u','));
    ASSERT_EQ(fields.size(), 200);
    EXPECT_EQ(fields.first(), u"0");
    EXPECT_EQ(fields.last(), u"199");
}

} // namespace
