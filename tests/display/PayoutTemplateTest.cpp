#include "display/PayoutTemplate.h"

#include "display/LoadPayoutPercentages.h"
#include "display/PayoutTemplateCache.h"
#include "support/FakeMessageBoxes.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString Exceeds = "The prize pool cannot be applied because it exceeds 100%";
const QString WrongFormat = "The prize pool template file is not the correct format";

QList<qint64> percentages(const PayoutTable& table)
{
    QList<qint64> raw;
    for (int i = 1; i <= table.placeCount(); ++i) {
        raw.append(table.at(i).raw());
    }
    return raw;
}

qint64 pc(double percent)
{
    return qint64(percent * Money::Scale + (percent < 0 ? -0.5 : 0.5));
}

class Template : public testing::Test
{
protected:
    TempProgramFolder dir;
    FakeMessageBoxes boxes;
    PayoutTemplateWarnings warnings;

    void write(const QByteArray& body) { dir.writeParent("prize-pool.csv", body); }
    PayoutTemplate::Reading read(qint16 entries)
    {
        return PayoutTemplate::read(dir.parentPath("prize-pool.csv"), entries);
    }
    PayoutTable load(qint16 entries)
    {
        return LoadPayoutPercentages(entries, dir.folders(), boxes, warnings);
    }
};

const QByteArray ThreeRanges = "Payouts\r\n"
                               "Places,2-10,11-20,21-30\r\n"
                               "1st,60,49.5,40\r\n"
                               "2nd,40,30,30\r\n"
                               "3rd,0,20.5,20\r\n"
                               "4th,,,10\r\n";

TEST_F(Template, PicksTheColumnWhoseRangeHoldsTheEntries)
{
    write(ThreeRanges);
    const auto r = read(15);
    EXPECT_EQ(r.problem, PayoutTemplate::Problem::None);
    EXPECT_EQ(r.column, 2);
    EXPECT_EQ(percentages(r.table), (QList<qint64>{pc(49.5), pc(30), pc(20.5)}));
    EXPECT_EQ(r.table.at(0), Money());
}

TEST_F(Template, RangeEndsAreInclusive)
{
    write(ThreeRanges);
    EXPECT_EQ(read(2).column, 1);
    EXPECT_EQ(read(10).column, 1);
    EXPECT_EQ(read(11).column, 2);
    EXPECT_EQ(read(30).column, 3);
    EXPECT_EQ(percentages(read(30).table).size(), 4);
}

TEST_F(Template, EntriesOutsideEveryRangeGiveAnEmptyTableQuietly)
{
    write(ThreeRanges);
    for (qint16 entries : {qint16(0), qint16(1), qint16(31), qint16(-5)}) {
        EXPECT_TRUE(load(entries).isEmpty()) << entries;
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Template, ColumnEndsAtZeroEmptyTextOrEndOfFile)
{
    write("x\r\nP,1-5,6-10,11-15,16-20\r\n"
          "1,70,70,70,70\r\n"
          "2,30,abc,,0.0\r\n"
          "3,,5,5,5");
    EXPECT_EQ(percentages(read(3).table), (QList<qint64>{pc(70), pc(30)}));
    EXPECT_EQ(percentages(read(8).table), (QList<qint64>{pc(70)}));
    EXPECT_EQ(percentages(read(12).table), (QList<qint64>{pc(70)}));
    EXPECT_EQ(percentages(read(18).table), (QList<qint64>{pc(70)}));
}

TEST_F(Template, PercentagesAreLeadingNumbers)
{
    write("x\r\nP,1-5\r\n1, 45.5%,\r\n2,54.5 per cent\r\n");
    EXPECT_EQ(percentages(read(3).table), (QList<qint64>{pc(45.5), pc(54.5)}));
}

TEST_F(Template, RangeInColumnZeroIsNoColumn)
{
    write("x\r\n2-10,11-20\r\n50,50\r\n50,50\r\n");
    const auto r = read(5);
    EXPECT_EQ(r.problem, PayoutTemplate::Problem::None);
    EXPECT_TRUE(r.table.isEmpty());
    EXPECT_EQ(read(15).column, 1);
}

TEST_F(Template, HundredIsAllowedAndTheSmallestExcessIsNot)
{
    write("x\r\nP,2-10,11-20\r\n1,33.3333,33.3334\r\n2,33.3333,33.3333\r\n3,33.3334,33.3334\r\n");
    EXPECT_EQ(load(5).placeCount(), 3);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_TRUE(load(15).isEmpty());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Information);
    EXPECT_EQ(boxes.shown[0].text, Exceeds);
}

// A negative share adds up to 100 with a larger one and would pay the upper places more than the pool.
TEST_F(Template, NegativePercentageIsRefusedLikeAnExcess)
{
    const QString Negative = "The prize pool cannot be applied because a place has a percentage below 0%";
    for (const auto& [name, body] :
         {std::pair{"balanced by a larger share", QByteArray("x\r\nP,2-10\r\n1,110\r\n2,-10\r\n")},
          std::pair{"smallest step below zero", QByteArray("x\r\nP,2-10\r\n1,50\r\n2,-0.0001\r\n")},
          std::pair{"first place", QByteArray("x\r\nP,2-10\r\n1,-5\r\n2,50\r\n")}}) {
        TempProgramFolder fresh;
        fresh.writeParent("prize-pool.csv", body);
        FakeMessageBoxes quiet;
        PayoutTemplateWarnings once;
        const auto reading = PayoutTemplate::read(fresh.parentPath("prize-pool.csv"), 5);
        EXPECT_EQ(reading.problem, PayoutTemplate::Problem::NegativePercentage) << name;
        EXPECT_TRUE(reading.table.isEmpty()) << name;
        EXPECT_TRUE(LoadPayoutPercentages(5, fresh.folders(), quiet, once).isEmpty()) << name;
        EXPECT_TRUE(LoadPayoutPercentages(5, fresh.folders(), quiet, once).isEmpty()) << name;
        ASSERT_EQ(quiet.shown.size(), 1) << name;
        EXPECT_EQ(quiet.shown[0].text, Negative) << name;
    }
}

struct BrokenCase
{
    const char* name;
    QByteArray body;
    qint16 entries;
};

class BrokenTemplate : public Template, public testing::WithParamInterface<BrokenCase>
{
};

TEST_P(BrokenTemplate, GivesAnEmptyTableAndTheFormatMessage)
{
    write(GetParam().body);
    EXPECT_TRUE(load(GetParam().entries).isEmpty());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Information);
    EXPECT_EQ(boxes.shown[0].text, WrongFormat);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenTemplate,
    testing::Values(BrokenCase{"RangeStartNotANumber", "x\r\nP,two-10\r\n1,100\r\n", 5},
                    BrokenCase{"RangeEndNotANumber", "x\r\nP,2-ten\r\n1,100\r\n", 5},
                    BrokenCase{"RangeEndWithDecimals", "x\r\nP,2-10.5\r\n1,100\r\n", 5},
                    BrokenCase{"BrokenRangeBeforeTheMatch", "x\r\nP,a-b,2-10\r\n1,50,100\r\n", 5},
                    BrokenCase{"MissingColumn", "x\r\nP,2-10,11-20\r\n1,50,50\r\n2,50\r\n", 15},
                    BrokenCase{"EmptyLineInTheList", "x\r\nP,2-10\r\n1,50\r\n\r\n2,50\r\n", 5},
                    BrokenCase{"HeaderMissing", "only a title\r\n", 5}, BrokenCase{"EmptyFile", "", 5}),
    [](const testing::TestParamInfo<BrokenCase>& testCase) { return std::string(testCase.param.name); });

TEST_F(Template, BrokenRangeAfterTheMatchIsNeverRead)
{
    write("x\r\nP,2-10,a-b\r\n1,100,x\r\n");
    EXPECT_EQ(load(5).placeCount(), 1);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Template, UnreadableFileIsTheWrongFormat)
{
    const auto r = PayoutTemplate::read(dir.parentPath("no-such-file.csv"), 5);
    EXPECT_EQ(r.problem, PayoutTemplate::Problem::WrongFormat);
    EXPECT_TRUE(r.table.isEmpty());
}

TEST_F(Template, MissingTemplateIsQuiet)
{
    EXPECT_TRUE(load(5).isEmpty());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Template, ParentFolderWinsAndProgramFolderIsTheFallback)
{
    dir.write("prize-pool.csv", "x\r\nP,2-10\r\n1,100\r\n");
    EXPECT_EQ(load(5).placeCount(), 1);
    dir.writeParent("PRIZE-POOL.CSV", "x\r\nP,2-10\r\n1,60\r\n2,40\r\n"); // letter case does not matter
    EXPECT_EQ(load(5).placeCount(), 2);
}

TEST_F(Template, FolderOfThatNameIsNoTemplate)
{
    ASSERT_TRUE(QDir().mkpath(dir.parentPath("prize-pool.csv")));
    dir.write("prize-pool.csv", "x\r\nP,2-10\r\n1,100\r\n");
    EXPECT_EQ(load(5).placeCount(), 1);
}

TEST_F(Template, EachProblemIsReportedOnceUntilTheFileChanges)
{
    write("x\r\nP,2-10\r\n1,60\r\n2,40.0001\r\n");
    for (int rebuild = 0; rebuild < 5; ++rebuild) {
        EXPECT_TRUE(load(5).isEmpty());
    }
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, Exceeds);

    write("x\r\nP,2-10\r\n1,60\r\n2,40.0002\r\n"); // same size: the modification time tells
    QFile file(dir.parentPath("prize-pool.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    load(5);
    load(5);
    ASSERT_EQ(boxes.shown.size(), 2);

    write("x\r\nP,2-10\r\n1,60\r\n2 40\r\n");
    load(5);
    load(5);
    ASSERT_EQ(boxes.shown.size(), 3);
    EXPECT_EQ(boxes.shown[2].text, WrongFormat);

    write("x\r\nP,2-10\r\n1,60\r\n2,40\r\n");
    EXPECT_EQ(load(5).placeCount(), 2);
    EXPECT_EQ(boxes.shown.size(), 3);
}

TEST_F(Template, ColumnThatExceedsIsReportedWhenTheEntriesReachIt)
{
    write("x\r\nP,2-10,11-20\r\n1,70,70\r\n2,40,40\r\n");
    load(5);
    load(15);
    load(5);
    EXPECT_EQ(boxes.shown.size(), 2);
}

TEST_F(Template, RebuildsWhileTheBoxIsOpenDoNotOpenAnother)
{
    write("x\r\nP,2-10\r\n1,101\r\n");
    int nested = 0;
    boxes.whileOpen = [&] {
        if (nested++ < 3) {
            load(5);
        }
    };
    load(5);
    EXPECT_EQ(boxes.shown.size(), 1);
}

// The template shipped with the clock must serve every entry count from 2 to 1000 without a message.
TEST(ShippedTemplate, EveryColumnAddsUpToExactlyHundred)
{
    const QString path = QStringLiteral(KAVRO_SOURCE_DIR "/data/prize-pool.csv");
    QList<int> columnsSeen;
    for (qint16 entries = 2; entries <= 1000; ++entries) {
        const auto r = PayoutTemplate::read(path, entries);
        ASSERT_EQ(r.problem, PayoutTemplate::Problem::None) << entries;
        ASSERT_FALSE(r.table.isEmpty()) << entries;
        ASSERT_LE(r.table.placeCount(), entries) << "more paid places than entries at " << entries;
        if (columnsSeen.contains(r.column)) {
            continue;
        }
        columnsSeen.append(r.column);
        Money total;
        for (int i = 1; i <= r.table.placeCount(); ++i) {
            total = *total.checkedAdd(r.table.at(i));
            EXPECT_GT(r.table.at(i), Money()) << "column " << r.column << " place " << i;
        }
        EXPECT_EQ(total.toString(), "100") << "column " << r.column;
    }
    EXPECT_GE(columnsSeen.size(), 10);
}

// The clock rebuilds its payouts every third second: an unchanged template is parsed once, a changed one
// (other entry count, size or modification time) again.
TEST_F(Template, TheCacheRereadsOnlyWhatChanged)
{
    PayoutTemplateCache cache;
    const QString path = dir.parentPath("prize-pool.csv");
    write(ThreeRanges);
    const auto load = [&](qint16 entries) {
        return percentages(LoadPayoutPercentages(entries, dir.folders(), boxes, warnings, &cache));
    };
    EXPECT_EQ(load(15), (QList<qint64>{pc(49.5), pc(30), pc(20.5)}));
    EXPECT_EQ(load(15), (QList<qint64>{pc(49.5), pc(30), pc(20.5)}));
    EXPECT_EQ(cache.fileReads(), 1);

    EXPECT_EQ(load(5), (QList<qint64>{pc(60), pc(40)}));
    EXPECT_EQ(cache.fileReads(), 2);

    write("Payouts\r\nPlaces,2-30\r\n1st,100\r\n");
    EXPECT_EQ(load(5), (QList<qint64>{pc(100)}));
    EXPECT_EQ(cache.fileReads(), 3);

    // Same size, new content and a new time stamp.
    write("Payouts\r\nPlaces,2-30\r\n1st,090\r\n");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(load(5), (QList<qint64>{pc(90)}));
    EXPECT_EQ(cache.fileReads(), 4);

    // A broken template read from the cache is still reported once, not on every rebuild.
    write("Payouts\r\nPlaces,2-30\r\n1st,70\r\n2nd,40\r\n");
    EXPECT_TRUE(load(5).isEmpty());
    EXPECT_TRUE(load(5).isEmpty());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, Exceeds);
    EXPECT_EQ(cache.fileReads(), 5);
}

} // namespace
