#include "core/BlindStructureWriter.h"

#include "core/BlindPlanCheck.h"
#include "core/BlindStructure.h"
#include "core/BlindStructureGenerator.h"
#include "core/BlindSwap.h"
#include "core/ChipSet.h"
#include "core/TextFile.h"
#include "core/TournamentState.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

namespace {

class BlindsFolder : public testing::Test
{
protected:
    TempProgramFolder dir;
    TournamentState state;

    void SetUp() override { state.Folders = dir.folders(); }

    BlindStructure load(const QString& name)
    {
        state.Tournament.Blinds = name;
        BlindStructure s;
        LoadBlindStructure(state, s);
        return s;
    }
};

TEST_F(BlindsFolder, AGeneratedStructureIsReadBackUnchangedByTheClock)
{
    BlindPlanInputs in;
    in.entries = 60;
    in.startingChips = 20000;
    in.rebuys = 10;
    in.rebuyChips = 10000;
    in.chips = ChipSet({25, 100, 500, 1000, 5000, 25000});
    ASSERT_TRUE(in.setAnte(QStringLiteral("classic:4")));
    const BlindStructure written = BlindStructureGenerator::generate(in);
    BlindStructureWriter::write(state.Folders.Blinds + "Friday.blinds.csv", written);

    const QByteArray bytes = dir.read("blinds/Friday.blinds.csv");
    EXPECT_TRUE(
        bytes.startsWith("Level,Small Blind,Big Blind,Ante,Minutes,Break,Note\r\n1,100,200,0,20,0,\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), written.levelCount() + 1);
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));

    const BlindStructure read = load("Friday.blinds.csv");
    ASSERT_EQ(read.levelCount(), written.levelCount());
    for (int i = 0; i <= read.levelCount(); ++i) {
        EXPECT_EQ(read.at(i), written.at(i)) << i;
    }
}

TEST_F(BlindsFolder, AHandMadeFileSavedAgainKeepsItsSixColumnsByteForByte)
{
    const QByteArray handMade = "Lvl,SB,BB,Ante,Min,Brk\r\n"
                                "1,25,50,0,15,0\r\n"
                                "2,\"1,000\",2K,0,15,10\r\n"
                                "3,1.5K,3K,250,15,0\r\n"
                                "4,2K,4K,-,15,0\r\n";
    dir.write("blinds/Hand.blinds.csv", handMade);
    const QStringList lines = TextFile::readLines(state.Folders.Blinds + "Hand.blinds.csv");
    BlindStructure s = load("Hand.blinds.csv");
    ASSERT_EQ(s.levelCount(), 4);

    BlindStructureWriter::write(state.Folders.Blinds + "Again.blinds.csv", s, lines.first());
    EXPECT_EQ(dir.read("blinds/Again.blinds.csv"), handMade);

    // With a note, each line gains a seventh column and nothing else changes.
    BlindStructure noted;
    for (int i = 1; i <= s.levelCount(); ++i) {
        BlindLevel l = s.at(i);
        l.Note = i == 2 ? QStringLiteral("Colour up the 25, 100 and 500 chips") : QString();
        noted.append(l);
    }
    const QStringList withNotes = BlindStructureWriter::lines(noted, lines.first());
    ASSERT_EQ(withNotes.size(), 5);
    EXPECT_EQ(withNotes.at(0), "Lvl,SB,BB,Ante,Min,Brk,Note");
    EXPECT_EQ(withNotes.at(1), "1,25,50,0,15,0,");
    EXPECT_EQ(withNotes.at(2), "2,\"1,000\",2K,0,15,10,\"Colour up the 25, 100 and 500 chips\"");
    BlindStructureWriter::write(state.Folders.Blinds + "Noted.blinds.csv", noted, lines.first());
    EXPECT_EQ(load("Noted.blinds.csv").at(2).Note, "Colour up the 25, 100 and 500 chips");
}

TEST_F(BlindsFolder, BlanksTheClockDropsAroundAFieldAreNotWrittenBack)
{
    dir.write("blinds/Padded.blinds.csv", "h\r\n4, 2K ,4K,\" 250 \",15,0\r\n");
    const BlindStructure s = load("Padded.blinds.csv");
    EXPECT_EQ(BlindStructureWriter::lines(s, "h"), (QStringList{"h", "4,2K,4K,\" 250 \",15,0"}));
}

TEST_F(BlindsFolder, AFileWithoutNotesLoadsAsBefore)
{
    dir.write("blinds/Old.blinds.csv", "Level,Small Blind,Big Blind,Ante,Minutes,Break\r\n1,25,50,0,20,0\r\n"
                                       "2,50,100,0,20,10,extra\r\n");
    const BlindStructure s = load("Old.blinds.csv");
    EXPECT_EQ(s.at(1), (BlindLevel{1, "25", "50", "0", 20, 0, {}}));
    EXPECT_EQ(s.at(2), (BlindLevel{2, "50", "100", "0", 20, 10, "extra"}));
}

TEST(BlindStructureWriterTest, EveryFieldTheLoaderCanGiveIsWrittenSoItReadsBackTheSame)
{
    const QStringList lines = {
        "h",
        "1,25,50,0,20,0",
        "2,\"1,000\",\"2,000\",\" 0 \",20,10,\"Colour up the 25, 100 and 500 chips\"",
        "3,,  ,x\"y,20,0,note with trailing blanks  ",
        "4,\"a, b\"  ,\"\",TBA,\" 30 \",-5",
        "5,1.5K,3K,\"ab\"c,2.5,0,\"\"",
        "6,-,-,-,0,0,,ignored,columns",
    };
    BlindStructure first;
    ParseBlindLines(lines, "round.blinds.csv", first);
    ASSERT_EQ(first.levelCount(), 6);
    BlindStructure second;
    ParseBlindLines(BlindStructureWriter::lines(first, "h"), "again.blinds.csv", second);
    ASSERT_EQ(second.levelCount(), first.levelCount());
    for (int i = 1; i <= first.levelCount(); ++i) {
        EXPECT_EQ(second.at(i), first.at(i)) << i;
    }
}

BlindStructure levels(const QList<BlindLevel>& rows)
{
    BlindStructure s;
    for (const BlindLevel& l : rows) {
        s.append(l);
    }
    return s;
}

TEST(BlindPlanCheckTest, WarnsOfUnpayableFallingBlindsAndBigAntes)
{
    const BlindStructure s = levels({
        {1, "25", "50", "0", 20, 0, {}},
        {2, "60", "120", "0", 20, 10, "Colour up the 25 chips"},
        {3, "50", "100", "0", 20, 0, {}},
        {4, "100", "200", "300", 20, 0, {}},
        {5, "1.5K", "3K", "TBA", 20, 0, {}},
    });
    EXPECT_EQ(BlindPlanCheck::warnings(s, ChipSet({25, 100, 500})),
              (QStringList{
                  "Level 2: the small blind 60 cannot be paid with the chips in play (smallest 25)",
                  "Level 2: the big blind 120 cannot be paid with the chips in play (smallest 25)",
                  "Level 3: the small blind 50 cannot be paid with the chips in play (smallest 100)",
                  "Level 3: the blinds go down",
                  "Level 4: the ante is above the big blind",
              }));
}

TEST(BlindSwapTest, KeepsTheLevelAndCutsTheTimeToTheNewLength)
{
    const BlindStructure replacement = levels({
        {1, "25", "50", "0", 15, 0, {}},
        {2, "50", "100", "0", 15, 5, {}},
        {3, "75", "150", "0", 15, 0, {}},
    });
    const struct
    {
        qint16 level;
        const char* time;
        bool inBreak;
        qint16 level2;
        const char* time2;
    } cases[] = {
        {2, "18:30", false, 2, "15:00"}, {2, "12:05", false, 2, "12:05"}, {2, "9:00", true, 2, "05:00"},
        {9, "10:00", false, 3, "10:00"}, {1, "--:--", false, 1, "--:--"},
    };
    for (const auto& c : cases) {
        TournamentState state;
        state.Tournament.Level = c.level;
        state.Tournament.Time = QString::fromLatin1(c.time);
        BlindStructure current;
        BlindSwap::apply(replacement, c.inBreak, state, current);
        EXPECT_EQ(current.levelCount(), 3);
        EXPECT_EQ(state.Tournament.Level, c.level2) << c.time;
        EXPECT_EQ(state.Tournament.Time, QString::fromLatin1(c.time2)) << c.time;
    }
}

} // namespace
