// The snapshot every reader outside the screen takes the tournament from, worked out from the state and
// the level clock rather than read back from the captions.
#include "display/TournamentFigures.h"

#include "core/ClockFixture.h"
#include "display/PayoutList.h"

namespace {

// Twelve places for 51 to 75 entries: 1st to 10th apart, 11th and 12th equal.
const QByteArray TwelvePlaces = "Payouts\r\nPlace,2-50,51-75\r\n"
                                "1st,100,30\r\n2nd,,20\r\n3rd,,12\r\n4th,,9\r\n5th,,7\r\n6th,,5.5\r\n"
                                "7th,,4.5\r\n8th,,3.5\r\n9th,,3\r\n10th,,2.5\r\n11th,,1.5\r\n12th,,1.5\r\n";

class TournamentFiguresTest : public ClockFixture
{
protected:
    void SetUp() override
    {
        folder.writeParent("prize-pool.csv", TwelvePlaces);
        state.Tournament.Title = "Sunday Open";
        state.Tournament.Players = 48;
        state.Tournament.Entries = 60;
        state.Tournament.Buyin = *Money::fromWhole(100);
        state.Tournament.Buyin_Chips = *Money::fromWhole(5000);
        state.Tournament.Level = 2;
        state.Tournament.Time = "07:30";
        addLevel(25, 50, 0, 20);
        addLevel(50, 100, 0, 20, 10);
        addLevel(100, 200, 25, 20);
        create();
    }

    QStringList places(const TournamentSnapshot& s)
    {
        QStringList result;
        for (const PayoutLine& line : s.payouts) {
            result << line.place;
        }
        return result;
    }
};

} // namespace

TEST_F(TournamentFiguresTest, EveryPaidPlaceInOrderAndTheSameAtEverySecond)
{
    TournamentFigures figures(state, blinds, boxes, "$");
    qint16 start = 0;
    const QStringList expected{"1st", "2nd", "3rd", "4th",  "5th",  "6th",
                               "7th", "8th", "9th", "10th", "11-12"};
    for (int second = 0; second < 12; ++second) {
        // The screen's box rotates every third second; the snapshot's list stands still.
        figures.prizePool(screen(), start);
        const TournamentSnapshot s = figures.snapshot(clock());
        EXPECT_EQ(places(s), expected) << "second " << second;
    }
    const TournamentSnapshot s = figures.snapshot(clock());
    EXPECT_EQ(s.payouts.first().amount, "$1,800");
    EXPECT_EQ(s.payouts.last().amount, "$90");
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(TournamentFiguresTest, ValuesComeFromTheStateAndTheClockNotTheCaptions)
{
    TournamentFigures figures(state, blinds, boxes, "$");
    // Captions that say something else are not what the snapshot reports.
    screen().setCaption(ScreenElementId::lblPlayers, "1/1");
    screen().setCaption(ScreenElementId::lblBlinds, "9/9");
    run();
    const TournamentSnapshot s = figures.snapshot(clock());
    EXPECT_EQ(s.title, "Sunday Open");
    EXPECT_EQ(s.level, 2);
    EXPECT_EQ(s.time, digits());
    EXPECT_EQ(s.secondsLeft, 7 * 60 + 30);
    EXPECT_FALSE(s.paused);
    EXPECT_FALSE(s.inBreak);
    EXPECT_EQ(s.players, qint16(48));
    EXPECT_EQ(s.entries, qint16(60));
    EXPECT_EQ(s.playersText, "48");
    EXPECT_EQ(s.entriesText, "60");
    EXPECT_EQ(s.totalChips, Money::fromWhole(300000));
    EXPECT_EQ(s.averageStackText, "6,250");
    EXPECT_EQ(s.prizePool, Money::fromWhole(6000));
    EXPECT_EQ(s.prizePoolText, "$6,000");
    EXPECT_EQ(s.blindsText, "50/100");
    EXPECT_EQ(s.anteText, "-");
    EXPECT_EQ(s.nextBlindsText, "100/200");
    EXPECT_EQ(s.nextAnteText, "25");
    ASSERT_TRUE(s.current.has_value());
    EXPECT_EQ(s.current->BreakMinutes, 10);
    EXPECT_EQ(s.timeToBreak, caption(ScreenElementId::lblBreak));
    EXPECT_EQ(s.timePlayed, caption(ScreenElementId::lblTotalTime));
}

TEST_F(TournamentFiguresTest, TheBreakAndThePauseAsTheClockKeepsThem)
{
    TournamentFigures figures(state, blinds, boxes, "$");
    EXPECT_TRUE(figures.snapshot(clock()).paused);
    state.Tournament.Time = "00:01";
    clock().showTimeDigits();
    run();
    tick(2);
    const TournamentSnapshot s = figures.snapshot(clock());
    EXPECT_TRUE(s.inBreak);
    EXPECT_FALSE(s.paused);
    EXPECT_EQ(s.timeToBreak, "--:--");
    EXPECT_EQ(s.time, "00:00");
    tick();
    EXPECT_EQ(figures.snapshot(clock()).time, "10:00");
    EXPECT_EQ(figures.snapshot(clock()).secondsLeft, 600);
}

// The end follows the counts at once: more entries, more chips, a later level.
TEST_F(TournamentFiguresTest, TheEstimatedEndAndTheColourUpFollowTheCountsAndTheLevel)
{
    BlindStructure plan;
    for (int i = 1; i <= 7; ++i) {
        const int big = 100 << (i - 1);
        plan.append({qint16(i), QString::number(big / 2), QString::number(big), "0", 20,
                     qint16(i == 3 ? 10 : 0), i == 3 ? QStringLiteral("Colour up the 25 chips") : QString()});
    }
    state.Tournament.Entries = 10;
    state.Tournament.Players = 10;
    TournamentFigures figures(state, plan, boxes, "$");
    // 50,000 chips: the end is level 6 (3,200), 7:30 + 30 + 20 + 20 minutes away.
    TournamentSnapshot s = figures.snapshot(clock());
    ASSERT_TRUE(s.estimatedEnd.has_value());
    EXPECT_EQ(s.estimatedEnd->level, 6);
    EXPECT_EQ(s.estimatedEnd->inText(), "1:18");
    EXPECT_EQ(s.colourUp, "");

    state.Tournament.Entries = 20;
    s = figures.snapshot(clock());
    ASSERT_TRUE(s.estimatedEnd.has_value());
    EXPECT_EQ(s.estimatedEnd->level, 7);
    EXPECT_EQ(s.estimatedEnd->inText(), "1:38");

    state.Tournament.Level = 3;
    EXPECT_EQ(figures.snapshot(clock()).colourUp, "Colour up the 25 chips");
    state.Tournament.Buyin_Chips = Money();
    EXPECT_FALSE(figures.snapshot(clock()).estimatedEnd.has_value()) << "no chips, no estimate";
}

// The big blinds are read once and kept: a structure replaced under the same figures (Use now, a new
// file) must still be read afresh, level by level.
TEST_F(TournamentFiguresTest, TheEstimatedEndFollowsAStructureReplacedUnderIt)
{
    const auto fill = [](BlindStructure& plan, const QStringList& bigBlinds) {
        plan.reset();
        for (qsizetype i = 0; i < bigBlinds.size(); ++i) {
            plan.append({qint16(i + 1), "1", bigBlinds.at(i), "0", 20, 0, QString()});
        }
    };
    BlindStructure plan;
    fill(plan, {"100", "200", "400", "800", "1.6K", "3.2K", "6.4K"});
    state.Tournament.Entries = 10;
    state.Tournament.Players = 10;
    TournamentFigures figures(state, plan, boxes, "$");
    // 50,000 chips: a big blind of 2,500 ends the night.
    ASSERT_TRUE(figures.snapshot(clock()).estimatedEnd.has_value());
    EXPECT_EQ(figures.snapshot(clock()).estimatedEnd->level, 6);

    fill(plan, {"100", "200", "400", "800", "1.6K", "2.4K", "6.4K"});
    ASSERT_TRUE(figures.snapshot(clock()).estimatedEnd.has_value());
    EXPECT_EQ(figures.snapshot(clock()).estimatedEnd->level, 7) << "a changed level was not read again";

    fill(plan, {"100", "200", "400", "800", "1.6K"});
    EXPECT_FALSE(figures.snapshot(clock()).estimatedEnd.has_value()) << "levels that went are still counted";

    fill(plan, {"100", "200", "400", "800", "1.6K", "x", "3M"});
    EXPECT_FALSE(figures.snapshot(clock()).estimatedEnd.has_value()) << "a big blind that is no number";
    fill(plan, {"100", "200", "400", "800", "1.6K", "2K", "3M"});
    ASSERT_TRUE(figures.snapshot(clock()).estimatedEnd.has_value());
    EXPECT_EQ(figures.snapshot(clock()).estimatedEnd->level, 7);
}

TEST_F(TournamentFiguresTest, ACountThatOverflowsPaysNothingOutOfIt)
{
    state.Tournament.Entries = 32767;
    state.Tournament.Entry_Variance = 1;
    TournamentFigures figures(state, blinds, boxes, "$");
    const TournamentSnapshot s = figures.snapshot(clock());
    EXPECT_FALSE(s.entries.has_value());
    EXPECT_EQ(s.playersText, "---");
    ASSERT_EQ(s.payouts.size(), 1);
    EXPECT_EQ(s.payouts.first().amount, "---");
}

TEST(PayoutListEveryPlace, GroupsEqualAmountsAfterFirstAsTheBoxDoes)
{
    PayoutTable table;
    for (const char* p : {"40", "20", "10", "10", "10", "5", "5"}) {
        table.append(*Money::fromWhole(QByteArray(p).toInt()));
    }
    QStringList places;
    QStringList amounts;
    for (const PayoutLine& line : PayoutList::everyPlace(20, *Money::fromWhole(1000), table, 0, "$")) {
        places << line.place;
        amounts << line.amount;
    }
    EXPECT_EQ(places, (QStringList{"1st", "2nd", "3-5", "6-7"}));
    EXPECT_EQ(amounts, (QStringList{"$400", "$200", "$100", "$50"}));
    EXPECT_TRUE(PayoutList::everyPlace(0, *Money::fromWhole(1000), table, 0, "$").isEmpty());
    const QList<PayoutLine> none = PayoutList::everyPlace(5, *Money::fromWhole(1000), PayoutTable(), 0, "$");
    ASSERT_EQ(none.size(), 1);
    EXPECT_EQ(none.first().place, "1st");
    EXPECT_TRUE(none.first().amount.isEmpty());
}
