#include "core/BlindStructureGenerator.h"

#include "core/BlindAmount.h"
#include "core/BlindPlanCheck.h"
#include "core/ColourUpNote.h"
#include "core/EstimatedEnd.h"
#include "core/RoundBlind.h"

#include <gtest/gtest.h>

namespace {

using Ante = BlindPlanInputs::Ante;

qint64 whole(const QString& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    EXPECT_TRUE(ok) << text.toStdString();
    return value;
}

QString describe(const BlindPlanInputs& in)
{
    return QStringLiteral(
               "entries %1 stack %2 rebuys %3 minutes %4 level %5 breaks %6/%7 chips %8 ante %9 depth %10")
        .arg(in.entries)
        .arg(in.startingChips)
        .arg(in.rebuys)
        .arg(in.playingMinutes)
        .arg(in.levelMinutes)
        .arg(in.breakEvery)
        .arg(in.breakMinutes)
        .arg(in.chips.toString(), in.anteText())
        .arg(in.depth);
}

// Every rule of a generated structure, checked against the inputs alone.
void checkRules(const BlindPlanInputs& in)
{
    SCOPED_TRACE(describe(in).toStdString());
    const BlindStructure s = BlindStructureGenerator::generate(in);
    const int count = s.levelCount();
    ASSERT_GE(count, 3);
    const double total = double(in.totalChips());
    const qint64 chip = in.chips.smallest();

    QList<qint64> inPlay = in.chips.denominations();
    qint64 previousBig = 0;
    qint64 previousAnte = 0;
    int firstTwentieth = 0;
    int firstTenth = 0;
    for (int i = 1; i <= count; ++i) {
        SCOPED_TRACE(i);
        const BlindLevel& l = s.at(i);
        const qint64 small = whole(l.SmallBlind);
        const qint64 big = whole(l.BigBlind);
        const qint64 ante = whole(l.Ante);
        ASSERT_EQ(l.LevelNumber, i);
        ASSERT_EQ(l.Minutes, in.levelMinutes);

        // Never down, never the same, never more than double.
        ASSERT_GT(big, previousBig);
        if (i > 1) {
            ASSERT_LE(big, 2 * previousBig);
        }
        // Round for its size, and the small blind is half the big blind.
        ASSERT_TRUE(RoundBlind::isRoundBigBlind(big, chip)) << big;
        ASSERT_EQ(small * 2, big);
        ASSERT_TRUE(RoundBlind::isRound(small, chip)) << small;
        // Payable with what is still in play.
        for (const qint64 amount : {small, big, ante}) {
            ASSERT_EQ(amount % inPlay.first(), 0) << amount << " with " << inPlay.first() << " chips";
        }

        if (in.ante == Ante::None || i < in.anteFromLevel) {
            ASSERT_EQ(ante, 0);
        } else if (in.ante == Ante::BigBlind) {
            ASSERT_EQ(ante, big);
        } else {
            ASSERT_GE(ante, previousAnte);
            ASSERT_TRUE(RoundBlind::isRound(ante, chip)) << ante;
            ASSERT_LE(ante, big / 2);
            // About an eighth: within one step of the big blind, or held where rounding went down.
            const qint64 step = RoundBlind::step(big, chip);
            if (ante != previousAnte) {
                ASSERT_LE(std::abs(double(ante) - double(big) / 8.0), double(step)) << ante << " for " << big;
            }
        }
        previousAnte = ante;
        previousBig = big;
        if (firstTwentieth == 0 && double(big) >= total / 20.0) {
            firstTwentieth = i;
        }
        if (firstTenth == 0 && double(big) >= total / 10.0) {
            firstTenth = i;
        }

        // Breaks every breakEvery minutes of play, none after the last level.
        const bool crosses =
            in.breakEvery > 0 && in.breakMinutes > 0 &&
            (i * in.levelMinutes) / in.breakEvery > ((i - 1) * in.levelMinutes) / in.breakEvery;
        ASSERT_EQ(l.BreakMinutes, crosses && i < count ? in.breakMinutes : 0);
        if (!l.hasBreak()) {
            ASSERT_TRUE(l.Note.isEmpty());
            continue;
        }
        // Colour-ups: the smallest chips first, none that a later amount needs, and none kept that no later
        // amount needs.
        const QList<qint64> out = ColourUpNote::denominations(l.Note);
        ASSERT_EQ(l.Note.isEmpty(), out.isEmpty()) << l.Note.toStdString();
        ASSERT_EQ(ColourUpNote::text(out), l.Note);
        for (const qint64 d : out) {
            ASSERT_EQ(d, inPlay.first());
            inPlay.removeFirst();
        }
        ASSERT_FALSE(inPlay.isEmpty());
        if (inPlay.size() > 1) {
            bool needed = false;
            for (int j = i + 1; j <= count && !needed; ++j) {
                for (const QString& a : {s.at(j).SmallBlind, s.at(j).BigBlind, s.at(j).Ante}) {
                    needed = needed || whole(a) % inPlay.at(1) != 0;
                }
            }
            ASSERT_TRUE(needed) << inPlay.first() << " chips kept without need after level " << i;
        }
    }

    // Past the end until a tenth of the chips, and two levels more.
    ASSERT_GT(firstTenth, 0);
    ASSERT_EQ(count, firstTenth + 2);

    // The end: the first level at T / 20 starts at the target playing time, within one level, unless
    // no structure under these rules could: growing by the largest steps from the first big blind
    // arrives late, or growing by the smallest arrives early.
    ASSERT_GT(firstTwentieth, 0);
    const int target = in.playingMinutes;
    const int start = (firstTwentieth - 1) * in.levelMinutes;
    if (std::abs(start - target) > in.levelMinutes) {
        const bool late = start > target;
        qint64 big = whole(s.at(1).BigBlind);
        int level = 1;
        while (double(big) < total / 20.0) {
            big = late ? RoundBlind::bigBlindAtMost(2 * big, chip) : RoundBlind::bigBlindAbove(big, chip);
            ++level;
        }
        const int bestStart = (level - 1) * in.levelMinutes;
        if (late) {
            ASSERT_GT(bestStart, target + in.levelMinutes) << "could have ended by level " << level;
        } else {
            ASSERT_LT(bestStart, target - in.levelMinutes) << "could have ended at level " << level;
        }
    }
    // The builder's own check finds nothing to warn of.
    ASSERT_EQ(BlindPlanCheck::warnings(s, in.chips), QStringList());
}

TEST(BlindStructureGeneratorTest, RulesHoldOverAWideGrid)
{
    const QList<ChipSet> chipSets = {
        ChipSet({25, 100, 500, 1000, 5000, 25000}), ChipSet({1, 5, 25, 100, 500, 1000}),
        ChipSet({5, 25, 100, 500, 1000}),           ChipSet({100, 500, 1000, 5000, 25000, 100000}),
        ChipSet({10, 50, 100, 500, 1000, 5000}),
    };
    const Ante antes[] = {Ante::None, Ante::Classic, Ante::BigBlind};
    int cases = 0;
    for (const int entries : {6, 20, 60, 150, 500}) {
        for (const qint64 stack : {1000, 5000, 20000, 100000}) {
            for (const int hours : {2, 5, 8, 12}) {
                for (const int levelMinutes : {10, 20, 30, 60}) {
                    const int n = cases;
                    BlindPlanInputs in;
                    in.entries = entries;
                    in.startingChips = stack;
                    in.rebuys = n % 2 == 0 ? entries / 3 : 0;
                    in.rebuyChips = stack;
                    in.addons = n % 3 == 0 ? entries / 2 : 0;
                    in.addonChips = stack / 2;
                    in.playingMinutes = hours * 60 + (n % 4 == 1 ? 30 : 0);
                    in.levelMinutes = levelMinutes;
                    in.breakEvery = QList<int>{0, 60, 90, 120}.at(n % 4);
                    in.breakMinutes = 10;
                    in.depth = QList<int>{20, 50, 100, 200, 400}.at(n % 5);
                    in.chips = chipSets.at(n % chipSets.size());
                    for (const Ante ante : antes) {
                        in.ante = ante;
                        in.anteFromLevel = 1 + n % 7;
                        ASSERT_FALSE(in.problem()) << in.problem()->toStdString();
                        checkRules(in);
                        if (testing::Test::HasFatalFailure()) {
                            return;
                        }
                    }
                    ++cases;
                }
            }
        }
    }
    EXPECT_EQ(cases, 320);
}

// Inputs of published structures. The test asks that the generated structure reaches T / 20 at the
// target time within one level, with the published first blinds.
TEST(BlindStructureGeneratorTest, PublishedStructuresEndOnTime)
{
    const struct
    {
        const char* source;
        int entries;
        qint64 stack;
        int playingMinutes;
        int levelMinutes;
        int depth;
        const char* chips;
        Ante ante;
        const char* firstBig;
    } cases[] = {
        // PokerStars' nine-player Sit & Go lobby: 1,500 chips, blinds 10/20, 10-minute levels.
        {"nine-player sit and go", 9, 1500, 90, 10, 75, "5,25,100,500", Ante::None, "20"},
        // WSOP Main Event 2023, as the WSOP announced it: 10,043 entries, 60,000 chips, 100/200 with a
        // big-blind ante, two-hour levels; the target here is about seven days of ten hours.
        {"WSOP Main Event 2023", 10043, 60000, 70 * 60, 120, 300, "100,500,1000,5000,25000,100000,500000",
         Ante::BigBlind, "200"},
        // The Friday game of the command-line example: 60 entries at 20,000 and 10 rebuys of 10,000.
        {"home game, kavro-blinds example", 60, 20000, 300, 20, 100, "25,100,500,1000,5000,25000",
         Ante::BigBlind, "200"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        BlindPlanInputs in;
        in.entries = c.entries;
        in.startingChips = c.stack;
        if (QByteArray(c.source).startsWith("home")) {
            in.rebuys = 10;
            in.rebuyChips = 10000;
        }
        in.playingMinutes = c.playingMinutes;
        in.levelMinutes = c.levelMinutes;
        in.depth = c.depth;
        in.chips = *ChipSet::parse(QString::fromLatin1(c.chips));
        in.ante = c.ante;
        in.anteFromLevel = 1;
        const BlindStructure s = BlindStructureGenerator::generate(in);
        EXPECT_EQ(s.at(1).BigBlind, QString::fromLatin1(c.firstBig));
        const auto end =
            EstimatedEnd::estimate(s, 1, qint64(in.levelMinutes) * 60, false, double(in.totalChips()));
        ASSERT_TRUE(end);
        const int playedBefore = (end->level - 1) * in.levelMinutes;
        EXPECT_LE(std::abs(playedBefore - in.playingMinutes), in.levelMinutes)
            << "ends at level " << end->level;
        checkRules(in);
    }
}

TEST(BlindStructureGeneratorTest, TheCommandLineExampleReadsAsADirectorWouldWriteIt)
{
    BlindPlanInputs in;
    in.entries = 60;
    in.startingChips = 20000;
    in.rebuys = 10;
    in.rebuyChips = 10000;
    ASSERT_TRUE(in.setAnte(QStringLiteral("bb:7")));
    const BlindStructure s = BlindStructureGenerator::generate(in);
    EXPECT_EQ(s.at(1), (BlindLevel{1, "100", "200", "0", 20, 0, {}}));
    EXPECT_EQ(s.at(6), (BlindLevel{6, "600", "1200", "0", 20, 10, "Colour up the 25 chips"}));
    EXPECT_EQ(s.at(7).Ante, "1600");
    EXPECT_EQ(s.at(12).Note, "Colour up the 100 and 500 chips");
}

TEST(BlindStructureGeneratorTest, RoundNumbersForTheirSize)
{
    const struct
    {
        qint64 amount, chip, step;
    } cases[] = {
        {50, 25, 25},        {100, 1, 1},     {150, 1, 5},     {150, 25, 25},     {400, 25, 25},
        {1200, 25, 100},     {4800, 25, 100}, {5000, 25, 500}, {12000, 25, 1000}, {60000, 25, 5000},
        {250000, 25, 10000}, {150, 10, 10},   {300, 10, 50},   {40, 100, 100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundBlind::step(c.amount, c.chip), c.step) << c.amount << " with " << c.chip;
    }
    EXPECT_EQ(RoundBlind::bigBlindAbove(950, 25), 1000);
    EXPECT_EQ(RoundBlind::bigBlindAbove(1000, 25), 1200);
    EXPECT_EQ(RoundBlind::bigBlindAtMost(1900, 25), 1800);
    EXPECT_EQ(RoundBlind::nearestBigBlind(20000.0 / 100, 25), 200);
    EXPECT_EQ(RoundBlind::nearestBigBlind(1, 25), 50);
}

TEST(BlindStructureGeneratorTest, InputsThatCannotMakeAStructure)
{
    const auto problem = [](auto change) {
        BlindPlanInputs in;
        in.entries = 10;
        in.startingChips = 1000;
        change(in);
        return in.problem().value_or(QString()).toStdString();
    };
    EXPECT_EQ(problem([](BlindPlanInputs&) {}), "");
    EXPECT_NE(problem([](BlindPlanInputs& in) { in.chips = ChipSet(); }).find("no chips"), std::string::npos);
    EXPECT_NE(problem([](BlindPlanInputs& in) { in.depth = 19; }).find("depth"), std::string::npos);
    EXPECT_NE(problem([](BlindPlanInputs& in) { in.depth = 401; }).find("depth"), std::string::npos);
    EXPECT_EQ(problem([](BlindPlanInputs& in) { in.depth = 400; }), "");
    EXPECT_NE(problem([](BlindPlanInputs& in) { in.playingMinutes = 0; }).find("playing time"),
              std::string::npos);
    EXPECT_NE(problem([](BlindPlanInputs& in) { in.entries = 0; }).find("entries"), std::string::npos);

    BlindPlanInputs in;
    for (const char* good : {"none", "classic:3", "bb:7", " BB:1 "}) {
        EXPECT_TRUE(in.setAnte(QString::fromLatin1(good))) << good;
    }
    for (const char* bad : {"", "classic", "bb:0", "bb:x", "big:3", "classic:2:3"}) {
        EXPECT_FALSE(in.setAnte(QString::fromLatin1(bad))) << bad;
    }
    EXPECT_EQ(ChipSet::parse(QStringLiteral(" 100, 25 ,25")), ChipSet({25, 100}));
    for (const char* bad : {"", "25,,100", "0", "25,-5", "a"}) {
        EXPECT_FALSE(ChipSet::parse(QString::fromLatin1(bad))) << bad;
    }
}

} // namespace
