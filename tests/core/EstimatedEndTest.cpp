#include "core/EstimatedEnd.h"

#include "core/BlindStructure.h"
#include "core/TournamentState.h"

#include <gtest/gtest.h>

namespace {

BlindStructure structure(const QList<BlindLevel>& levels)
{
    BlindStructure s;
    for (const BlindLevel& l : levels) {
        s.append(l);
    }
    return s;
}

// 20-minute levels, a 10-minute break after level 2 and a 15-minute one after level 4.
const BlindStructure Night = structure({
    {1, "100", "200", "0", 20, 0, {}},
    {2, "200", "400", "0", 20, 10, {}},
    {3, "300", "600", "0", 20, 0, {}},
    {4, "500", "1K", "0", 20, 15, "Colour up the 25 chips"},
    {5, "750", "1.5K", "0", 20, 0, {}},
    {6, "1K", "2K", "0", 20, 0, {}},
});

TEST(EstimatedEndTest, StartOfTheFirstLevelAtATwentiethOfTheChips)
{
    const struct
    {
        int level;
        qint64 left;
        bool inBreak;
        double chips;
        std::optional<EstimatedEnd> expected;
    } cases[] = {
        // 20,000 chips: the goal is 1,000, level 4 starts after 19:00 + 10:00 break + 20:00.
        {2, 19 * 60, false, 20000, EstimatedEnd{4, 49 * 60}},
        {2, 5 * 60, true, 20000, EstimatedEnd{4, 25 * 60}},
        // 30,000 chips: 1,500 ("1.5K") at level 5, past the 15-minute break after level 4.
        {3, 60, false, 30000, EstimatedEnd{5, 60 + 20 * 60 + 15 * 60}},
        {4, 0, true, 30000, EstimatedEnd{5, 0}},
        // Already reached: the level it was reached at, now.
        {5, 300, false, 20000, EstimatedEnd{4, 0}},
        {1, 1200, false, 4000, EstimatedEnd{1, 0}},
        // More chips than the structure can reach, no chips, no such level.
        {1, 1200, false, 50000, std::nullopt},
        {1, 1200, false, 0, std::nullopt},
        {0, 1200, false, 20000, std::nullopt},
        {7, 1200, false, 20000, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " chips " << c.chips);
        EXPECT_EQ(EstimatedEnd::estimate(Night, c.level, c.left, c.inBreak, c.chips), c.expected);
    }
}

TEST(EstimatedEndTest, BlindsThatAreNoNumbersCannotBeEstimated)
{
    const BlindStructure s = structure({
        {1, "100", "200", "0", 20, 0, {}},
        {2, "?", "TBA", "0", 20, 0, {}},
        {3, "500", "1000", "0", 20, 0, {}},
    });
    EXPECT_FALSE(EstimatedEnd::estimate(s, 1, 600, false, 20000));
    EXPECT_EQ(EstimatedEnd::estimate(s, 2, 600, false, 20000), (EstimatedEnd{3, 600}));
}

TEST(EstimatedEndTest, ChipsFromTheEffectiveCountsAndHoursAndMinutes)
{
    TournamentState state;
    TournamentRecord& t = state.Tournament;
    EXPECT_FALSE(EstimatedEnd::totalChips(state));
    t.Entries = 50;
    t.Entry_Variance = 2;
    t.Rebuys = 10;
    t.Addons = 4;
    t.Addon_Variance = -4;
    t.Buyin_Chips = *Money::fromWhole(10000);
    t.Rebuy_Chips = *Money::fromWhole(5000);
    t.Addon_Chips = *Money::fromWhole(8000);
    EXPECT_EQ(EstimatedEnd::totalChips(state), 52 * 10000.0 + 10 * 5000.0);

    EXPECT_EQ((EstimatedEnd{14, 2 * 3600 + 35 * 60}).inText(), "2:35");
    EXPECT_EQ((EstimatedEnd{14, 29}).inText(), "0:00");
    EXPECT_EQ((EstimatedEnd{14, 30}).inText(), "0:01");
    EXPECT_EQ((EstimatedEnd{14, 12 * 3600 + 59 * 60 + 45}).inText(), "13:00");
}

} // namespace
