#include "display/StatisticsTexts.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

Money whole(qint64 v)
{
    return Money::fromRaw(v * Money::Scale);
}

class Statistics : public testing::Test
{
protected:
    TournamentState state;

    void SetUp() override
    {
        TournamentRecord& t = state.Tournament;
        t.Title = "Friday Deepstack";
        t.Players = 1234;
        t.Entries = 1500;
        t.Buyin = whole(100);
        t.Buyin_Chips = whole(10000);
    }
    StatisticsTexts compute() { return StatisticsTexts::compute(state, "$"); }
};

TEST_F(Statistics, ShowsTitlePlayersPoolAndStack)
{
    const StatisticsTexts s = compute();
    EXPECT_TRUE(s.ok());
    EXPECT_EQ(s.lblTitle, "Friday Deepstack");
    EXPECT_EQ(s.lblPlayers, "1,234/1,500");
    EXPECT_EQ(s.lblPrize, "$150,000");
    EXPECT_EQ(s.lblStack, "12,156"); // 15,000,000 / 1,234 = 12,155.59
}

TEST_F(Statistics, CorrectionsCountEverywhere)
{
    TournamentRecord& t = state.Tournament;
    t.Players = 10;
    t.Player_Variance = -5;
    t.Entries = 8;
    t.Entry_Variance = 2;
    t.Rebuys = 3;
    t.Rebuy_Variance = -1;
    t.Addons = 0;
    t.Addon_Variance = 4;
    t.Buyin = whole(100);
    t.Rebuy = whole(50);
    t.Addon = whole(25);
    t.Prize_Contribution = whole(7);
    t.Buyin_Chips = whole(1000);
    t.Rebuy_Chips = whole(1000);
    t.Addon_Chips = whole(500);
    const StatisticsTexts s = compute();
    EXPECT_EQ(s.lblPlayers, "5/10");
    EXPECT_EQ(s.lblPrize, "$1,207"); // 1000 + 100 + 100 + 7
    EXPECT_EQ(s.lblStack, "2,800");  // (10,000 + 2,000 + 2,000) / 5
}

TEST_F(Statistics, NoPlayersOfNoEntriesShowsALoneSlash)
{
    state.Tournament.Players = 0;
    state.Tournament.Entries = 0;
    EXPECT_EQ(compute().lblPlayers, "/");
}

TEST_F(Statistics, GuaranteeIsTheFloorOfThePool)
{
    state.Tournament.Entries = 8;
    state.Tournament.Prize_Guarantee = whole(1000);
    EXPECT_EQ(compute().lblPrize, "$1,000"); // 800 collected
    state.Tournament.Entries = 12;
    EXPECT_EQ(compute().lblPrize, "$1,200");
}

TEST_F(Statistics, EmptyPoolShowsZeroAndFractionsRoundHalfUp)
{
    state.Tournament.Entries = 0;
    EXPECT_EQ(compute().lblPrize, "$0");
    state.Tournament.Prize_Contribution = Money::fromRaw(25000); // 2.5
    EXPECT_EQ(compute().lblPrize, "$3");
}

TEST_F(Statistics, AverageStackDividesByPlayersOrShowsAllChips)
{
    state.Tournament.Entries = 1;
    state.Tournament.Players = 5;
    EXPECT_EQ(compute().lblStack, "2,000");
    state.Tournament.Players = 0;
    EXPECT_EQ(compute().lblStack, "10,000");
    state.Tournament.Players = 3;
    state.Tournament.Player_Variance = -4; // below 1 as well
    EXPECT_EQ(compute().lblStack, "10,000");
}

TEST_F(Statistics, CountOverflowSetsNothing)
{
    state.Tournament.Entries = 32767;
    state.Tournament.Entry_Variance = 1;
    const StatisticsTexts s = compute();
    EXPECT_FALSE(s.ok());
    EXPECT_FALSE(s.lblTitle);
    EXPECT_FALSE(s.lblPlayers);
    EXPECT_FALSE(s.lblPrize);
    EXPECT_FALSE(s.lblStack);
}

TEST_F(Statistics, PoolOverflowKeepsTheTextsBeforeIt)
{
    state.Tournament.Buyin = Money::fromRaw(std::numeric_limits<qint64>::max() / 1000);
    const StatisticsTexts s = compute();
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.lblTitle, "Friday Deepstack");
    EXPECT_EQ(s.lblPlayers, "1,234/1,500");
    EXPECT_FALSE(s.lblPrize);
    EXPECT_FALSE(s.lblStack);
}

TEST_F(Statistics, ChipOverflowKeepsThePool)
{
    state.Tournament.Rebuys = 2;
    state.Tournament.Rebuy_Chips = Money::fromRaw(std::numeric_limits<qint64>::max() / 2);
    const StatisticsTexts s = compute();
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.lblPrize, "$150,000");
    EXPECT_FALSE(s.lblStack);
}

} // namespace
