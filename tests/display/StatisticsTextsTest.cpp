#include "display/StatisticsTexts.h"

#include "support/QtPrinters.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

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

// Every text shows either its number or the marker: a design caption left standing would be read by the
// players as a value.
TEST_F(Statistics, OverflowShowsTheMarkerInEveryTextItReaches)
{
    const Money huge = Money::fromRaw(std::numeric_limits<qint64>::max() / 1000);
    struct Case
    {
        const char* name;
        std::function<void(TournamentRecord&)> change;
        const char* players;
        const char* prize;
        const char* stack;
    };
    const std::vector<Case> cases = {
        {"players with their correction", [](TournamentRecord& t) { t.Players = t.Player_Variance = 32767; },
         "---", "---", "---"},
        {"entries with their correction", [](TournamentRecord& t) { t.Entry_Variance = 32767; }, "---", "---",
         "---"},
        {"rebuys with their correction", [](TournamentRecord& t) { t.Rebuys = t.Rebuy_Variance = -32768; },
         "1,234/1,500", "---", "---"},
        {"prize pool", [&](TournamentRecord& t) { t.Buyin = huge; }, "1,234/1,500", "---", "12,156"},
        {"largest buy-in times the entries",
         [](TournamentRecord& t) { t.Buyin = *Money::fromWhole(922337203685477); }, "1,234/1,500", "---",
         "12,156"},
        {"chips in play", [&](TournamentRecord& t) { t.Buyin_Chips = huge; }, "1,234/1,500", "$150,000",
         "---"},
    };
    for (const Case& c : cases) {
        SetUp();
        state.Tournament.Player_Variance = state.Tournament.Entry_Variance = 0;
        state.Tournament.Rebuys = state.Tournament.Rebuy_Variance = 0;
        c.change(state.Tournament);
        const StatisticsTexts s = compute();
        EXPECT_FALSE(s.ok()) << c.name;
        EXPECT_EQ(s.lblTitle, "Friday Deepstack") << c.name;
        EXPECT_EQ(s.lblPlayers, c.players) << c.name;
        EXPECT_EQ(s.lblPrize, c.prize) << c.name;
        EXPECT_EQ(s.lblStack, c.stack) << c.name;
        EXPECT_EQ(s.pool.has_value(), QString(c.prize) != "---") << c.name;
    }
}

// A title of megabytes (a pasted file) would be measured whole at every layout; the screen gets a line's
// worth and more, and the settings keep all of it.
TEST_F(Statistics, HugeTitleIsCutToWhatTheScreenCanShow)
{
    for (const qsizetype length :
         {qsizetype(0), qsizetype(999), qsizetype(1000), qsizetype(1001), qsizetype(10 * 1024 * 1024)}) {
        state.Tournament.Title = QString(length, u'W');
        const StatisticsTexts s = compute();
        EXPECT_EQ(s.lblTitle, QString(std::min<qsizetype>(length, 1000), u'W')) << length;
        EXPECT_EQ(state.Tournament.Title.size(), length);
    }
}

TEST_F(Statistics, PayoutsAreBuiltFromTheWholePoolAndTheEntries)
{
    state.Tournament.Prize_Contribution = Money::fromRaw(5000); // 150,000.5 shows as 150,001
    const StatisticsTexts s = compute();
    EXPECT_TRUE(s.ok());
    EXPECT_EQ(s.lblPrize, "$150,001");
    EXPECT_EQ(s.entries, 1500);
    EXPECT_EQ(s.pool, Money::fromWhole(150001));
}

} // namespace
