#include "display/PayoutList.h"

#include "display/OrdinalSuffix.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

PayoutTable tableOf(std::initializer_list<double> percents)
{
    PayoutTable table;
    for (double p : percents) {
        table.append(Money::fromRaw(qint64(p * Money::Scale + 0.5)));
    }
    return table;
}

Money whole(qint64 v)
{
    return Money::fromRaw(v * Money::Scale);
}

QStringList lines(const QString& text)
{
    QStringList l = text.split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.last().isEmpty()) {
        l.removeLast();
    }
    return l;
}

TEST(OrdinalSuffix, FollowsTheLastDigitExceptElevenToThirteen)
{
    const struct
    {
        qint16 place;
        const char* suffix;
    } cases[] = {{1, "st"},   {2, "nd"},   {3, "rd"},   {4, "th"},   {10, "th"},   {11, "th"},
                 {12, "th"},  {13, "th"},  {14, "th"},  {21, "st"},  {22, "nd"},   {23, "rd"},
                 {101, "st"}, {111, "st"}, {112, "nd"}, {113, "rd"}, {1000, "th"}, {0, "th"}};
    for (const auto& c : cases) {
        EXPECT_EQ(OrdinalSuffix(c.place), c.suffix) << c.place;
    }
}

TEST(PayoutAmounts, SharesOfThePoolRoundToWholeAmounts)
{
    EXPECT_EQ(PayoutList::amounts(tableOf({50, 30, 20}), whole(1000), 0), (QList<qint64>{0, 500, 300, 200}));
    EXPECT_EQ(PayoutList::amounts(tableOf({33.3333, 33.3333, 33.3333}), whole(1000), 0),
              (QList<qint64>{0, 333, 333, 333}));
    EXPECT_EQ(PayoutList::amounts(tableOf({0.05}), whole(1000), 0), (QList<qint64>{0, 1})); // 0.5 goes up
}

TEST(PayoutAmounts, RoundingUnitTakesHalvesUp)
{
    EXPECT_EQ(PayoutList::amounts(tableOf({44.5}), whole(1000), 10), (QList<qint64>{0, 450}));
    EXPECT_EQ(PayoutList::amounts(tableOf({44.9}), whole(1000), 100), (QList<qint64>{0, 400}));
    EXPECT_EQ(PayoutList::amounts(tableOf({45}), whole(1000), 100), (QList<qint64>{0, 500}));
    EXPECT_EQ(PayoutList::amounts(tableOf({44.5}), whole(1000), -10), (QList<qint64>{0, 445}));
}

TEST(PayoutListFromCounts, AsksForTheEntriesTableAndBuildsTheList)
{
    qint16 start = 0;
    qint16 askedFor = -1;
    const PayoutList list =
        PayoutList::fromCounts(12, whole(1000), "$", 0, start, "---", [&](qint16 entries) {
            askedFor = entries;
            return tableOf({50, 30, 20});
        });
    EXPECT_EQ(askedFor, 12);
    EXPECT_EQ(list.PlacesText, "1st\r\n2nd\r\n3rd\r\n");
    EXPECT_EQ(list.AmountsText, "$500\r\n$300\r\n$200\r\n");
}

TEST(PayoutListFromCounts, OverflowShowsTheMarkerInsteadOfAmounts)
{
    const auto table = [](qint16) { return tableOf({50, 30, 20}); };
    for (const auto& [entries, pool] : {std::pair{std::optional<qint16>(), std::optional(whole(1000))},
                                        std::pair{std::optional<qint16>(12), std::optional<Money>()}}) {
        qint16 start = 4;
        const PayoutList list = PayoutList::fromCounts(entries, pool, "$", 0, start, "---", table);
        EXPECT_EQ(list.PlacesText, "1st");
        EXPECT_EQ(list.AmountsText, "---");
        EXPECT_EQ(start, 4);
    }
    qint16 start = 0;
    const PayoutList list = PayoutList::fromCounts(12, whole(1000), "$", 0, start, "---", table);
    EXPECT_EQ(list.AmountsText, "$500\r\n$300\r\n$200\r\n");
}

TEST(PayoutList, SinglePlaceHasNoLineBreak)
{
    qint16 start = 0;
    const PayoutList list = PayoutList::build(3, whole(600), tableOf({100}), 0, "$", start);
    EXPECT_EQ(list.PlacesText, "1st");
    EXPECT_EQ(list.AmountsText, "$600");
}

TEST(PayoutList, NoEntriesClearsBothColumns)
{
    qint16 start = 7;
    const PayoutList list = PayoutList::build(0, whole(600), tableOf({60, 40}), 0, "$", start);
    EXPECT_TRUE(list.PlacesText.isEmpty());
    EXPECT_TRUE(list.AmountsText.isEmpty());
    EXPECT_EQ(start, 7);
}

TEST(PayoutList, EmptyTableShowsFirstPlaceWithoutAmount)
{
    qint16 start = 0;
    const PayoutList list = PayoutList::build(5, whole(600), PayoutTable(), 0, "$", start);
    EXPECT_EQ(list.PlacesText, "1st");
    EXPECT_TRUE(list.AmountsText.isEmpty());
}

TEST(PayoutList, ZeroAmountShowsOnlyTheSymbolAndBigOnesAreGrouped)
{
    qint16 start = 0;
    EXPECT_EQ(PayoutList::build(5, Money(), tableOf({60, 40}), 0, "$", start).AmountsText, "$\r\n$\r\n");
    EXPECT_EQ(PayoutList::build(5, whole(123456789), tableOf({100}), 0, "$", start).AmountsText,
              "$123,456,789");
}

TEST(PayoutList, EqualAmountsShareOneLineAndAShortListIsNotRepeated)
{
    qint16 start = 0;
    const PayoutList list = PayoutList::build(20, whole(1000), tableOf({40, 20, 15, 5, 5, 5}), 0, "$", start);
    EXPECT_EQ(lines(list.PlacesText), QStringList({"1st", "2nd", "3rd", "4-6"}));
    EXPECT_EQ(lines(list.AmountsText), QStringList({"$400", "$200", "$150", "$50"}));
}

// Lists whose lines all fit the nine-line box: shown in order, the same on every rebuild, whatever start
// place an earlier, longer list left behind.
TEST(PayoutList, AListThatFitsTheBoxStandsStill)
{
    const struct
    {
        const char* name;
        PayoutTable table;
        QStringList places;
    } cases[] = {
        {"eight places",
         tableOf({30, 20, 15, 11, 9, 7, 5, 3}),
         {"1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th"}},
        {"nine places",
         tableOf({30, 20, 14, 10, 8, 6, 5, 4, 3}),
         {"1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th"}},
        {"five places, the last two equal", tableOf({50, 20, 14, 8, 8}), {"1st", "2nd", "3rd", "4-5"}},
        {"two places", tableOf({70, 30}), {"1st", "2nd"}},
        // Fourteen places in nine lines: the groups fit although the places would not.
        {"fourteen places in groups",
         tableOf({30, 20, 10, 8, 6, 5, 3, 3, 3, 3, 3, 2, 2, 2}),
         {"1st", "2nd", "3rd", "4th", "5th", "6th", "7-11", "12-14"}},
    };
    for (const auto& c : cases) {
        for (const qint16 stale : {qint16(0), qint16(5), qint16(9)}) {
            qint16 start = stale;
            for (int rebuild = 0; rebuild < 4; ++rebuild) {
                const PayoutList list = PayoutList::build(50, whole(1000), c.table, 0, "$", start);
                EXPECT_EQ(lines(list.PlacesText), c.places) << c.name << ", rebuild " << rebuild;
                EXPECT_EQ(lines(list.AmountsText).size(), c.places.size()) << c.name;
            }
        }
    }
}

// 300 200 120 80 | 50 50 50 | 40 35 30 25 20
const PayoutTable TwelvePlaces = tableOf({30, 20, 12, 8, 5, 5, 5, 4, 3.5, 3, 2.5, 2});

TEST(PayoutList, TwelvePlacesRotateFromTheFourthAddedLine)
{
    qint16 start = 0;
    const PayoutList first = PayoutList::build(100, whole(1000), TwelvePlaces, 0, "$", start);
    EXPECT_EQ(lines(first.PlacesText),
              QStringList({"1st", "2nd", "3rd", "4th", "5-7", "8th", "9th", "10th", "11th"}));
    EXPECT_EQ(lines(first.AmountsText),
              QStringList({"$300", "$200", "$120", "$80", "$50", "$40", "$35", "$30", "$25"}));
    EXPECT_EQ(start, 7);

    // Starting at the end of the 5-7 group shows 7th on its own.
    const PayoutList second = PayoutList::build(100, whole(1000), TwelvePlaces, 0, "$", start);
    EXPECT_EQ(lines(second.PlacesText),
              QStringList({"1st", "7th", "8th", "9th", "10th", "11th", "12th", "2nd", "3rd"}));
    EXPECT_EQ(lines(second.AmountsText).at(1), "$50");
    EXPECT_EQ(start, 10);

    const PayoutList third = PayoutList::build(100, whole(1000), TwelvePlaces, 0, "$", start);
    EXPECT_EQ(lines(third.PlacesText),
              QStringList({"1st", "10th", "11th", "12th", "2nd", "3rd", "4th", "5-7", "8th"}));
    EXPECT_EQ(start, 2);
}

PayoutTable placesOf(int count, double percentEach)
{
    PayoutTable table;
    for (int i = 0; i < count; ++i) {
        table.append(Money::fromRaw(qint64(percentEach * Money::Scale + 0.5)));
    }
    return table;
}

// However many places a template pays, a rebuild writes only the nine lines the box shows.
TEST(PayoutList, ALongListBuildsOnlyTheLinesTheBoxShows)
{
    qint16 start = 0;
    const PayoutTable many = placesOf(100000, 0.001);
    // 1,000 each of 100,000,000: one group below 1st.
    const PayoutList equal = PayoutList::build(30000, whole(100000000), many, 0, "$", start);
    EXPECT_EQ(lines(equal.PlacesText), QStringList({"1st", "2-100000"}));
    EXPECT_EQ(lines(equal.AmountsText), QStringList({"$1,000", "$1,000"}));

    PayoutTable falling;
    for (int place = 1; place <= 1500; ++place) {
        falling.append(Money::fromRaw(qint64(1501 - place) * 10));
    }
    const PayoutList first = PayoutList::build(10000, whole(100000000), falling, 0, "$", start);
    EXPECT_EQ(lines(first.PlacesText).size(), 9);
    EXPECT_EQ(lines(first.AmountsText).size(), 9);
    EXPECT_EQ(lines(first.PlacesText).last(), "9th");
    EXPECT_EQ(start, 5);
    qint16 nearTheEnd = 1497;
    const PayoutList wrapped = PayoutList::build(10000, whole(100000000), falling, 0, "$", nearTheEnd);
    EXPECT_EQ(lines(wrapped.PlacesText),
              QStringList({"1st", "1497th", "1498th", "1499th", "1500th", "2nd", "3rd", "4th", "5th"}));
    EXPECT_EQ(nearTheEnd, 1500);
}

TEST(PayoutList, StartPlaceOutsideTheTableStartsAtSecond)
{
    for (qint16 stale : {qint16(-3), qint16(0), qint16(1), qint16(13), qint16(500)}) {
        qint16 start = stale;
        const PayoutList list = PayoutList::build(100, whole(1000), TwelvePlaces, 0, "$", start);
        EXPECT_EQ(lines(list.PlacesText).at(1), "2nd") << stale;
    }
    qint16 start = 12; // the last place is a valid start
    EXPECT_EQ(lines(PayoutList::build(100, whole(1000), TwelvePlaces, 0, "$", start).PlacesText).at(1),
              "12th");
}

} // namespace
