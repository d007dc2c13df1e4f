#include "core/BlindStructure.h"

#include "core/ClockError.h"
#include "core/TournamentState.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

namespace {

class BlindFile : public testing::Test
{
protected:
    TempProgramFolder dir;
    TournamentState state;
    BlindStructure structure;

    void SetUp() override
    {
        state.Folders = dir.folders();
        state.Tournament.Blinds = "Test.blinds.csv";
    }
    void load(const QByteArray& bytes)
    {
        dir.write("blinds/Test.blinds.csv", bytes);
        LoadBlindStructure(state, structure);
    }
};

TEST_F(BlindFile, HeaderOnlyGivesNoLevels)
{
    load("1,25,50,0,20,0\r\n"); // looks like data, still the header
    EXPECT_EQ(structure.levelCount(), 0);
    EXPECT_EQ(structure.at(0), BlindLevel{});
}

TEST_F(BlindFile, RowsBecomeLevelsInOrder)
{
    load("Level,SB,BB,Ante,Min,Break\r\n"
         "1,25,50,0,20,0\r\n"
         "7,100,200,25,20,15,extra,columns\r\n"
         "3, \"1,000\" ,1K, 2.5K ,\" 30 \",-1"); // last line without an ending
    ASSERT_EQ(structure.levelCount(), 3);
    EXPECT_EQ(structure.at(1), (BlindLevel{1, "25", "50", "0", 20, 0}));
    // The seventh column is the note of the level's break; the ones after it are ignored.
    EXPECT_EQ(structure.at(2), (BlindLevel{7, "100", "200", "25", 20, 15, "extra"}));
    EXPECT_TRUE(structure.at(2).hasBreak());
    EXPECT_EQ(structure.at(3), (BlindLevel{3, "1,000", "1K", "2.5K", 30, -1}));
    EXPECT_FALSE(structure.at(3).hasBreak());
    EXPECT_TRUE(structure.hasNextLevel(2));
    EXPECT_FALSE(structure.hasNextLevel(3));
}

TEST_F(BlindFile, FractionsRoundHalfToEvenAndZeroMinutesIsAccepted)
{
    load("h\r\n1,1,2,0,2.5,0.5\r\n2,1,2,0,0,0\r\n");
    EXPECT_EQ(structure.at(1).Minutes, 2);
    EXPECT_EQ(structure.at(1).BreakMinutes, 0);
    EXPECT_EQ(structure.at(2).Minutes, 0);
}

TEST_F(BlindFile, BadLineStopsWithAnErrorAndKeepsTheRowsBefore)
{
    const std::vector<std::pair<QByteArray, QString>> cases = {
        {"1,25,50,0,20", "line 3: a level needs six fields, found 5"},
        {"", "line 3: a level needs six fields, found 1"},
        {"x,25,50,0,20,0", "line 3: column 1"},
        {"2,25,50,0,twenty,0", "line 3: column 5"},
        {"2,25,50,0,20,40000", "line 3: column 6"},
    };
    for (const auto& [bad, expected] : cases) {
        SCOPED_TRACE(bad.toStdString());
        try {
            load("h\r\n1,25,50,0,20,0\r\n" + bad + "\r\n3,1,2,0,1,0\r\n");
            ADD_FAILURE() << "no error";
        } catch (const ClockError& e) {
            EXPECT_TRUE(e.message().contains("Test.blinds.csv")) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(expected)) << e.message().toStdString();
        }
        EXPECT_EQ(structure.levelCount(), 1);
    }
}

TEST_F(BlindFile, MissingOrUnnamedFileGivesNoLevels)
{
    load("h\r\n1,25,50,0,20,0\r\n");
    state.Tournament.Blinds = "Other.blinds.csv";
    LoadBlindStructure(state, structure);
    EXPECT_EQ(structure.levelCount(), 0);
    state.Tournament.Blinds.clear();
    LoadBlindStructure(state, structure);
    EXPECT_EQ(structure.levelCount(), 0);
}

TEST_F(BlindFile, NameIsFoundWhateverItsCase)
{
    dir.write("blinds/SPEED.BLINDS.CSV", "h\r\n1,25,50,0,20,0\r\n");
    state.Tournament.Blinds = "Speed.blinds.csv";
    LoadBlindStructure(state, structure);
    EXPECT_EQ(structure.levelCount(), 1);
}

} // namespace
