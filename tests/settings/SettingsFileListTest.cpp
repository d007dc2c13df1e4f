#include "settings/SettingsFileList.h"

#include "settings/ListFolderFiles.h"
#include "settings/SettingsChoices.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

namespace {

class FileLists : public testing::Test
{
protected:
    TempProgramFolder dir;
};

TEST_F(FileLists, ListFolderFilesGivesNamesInOrderEachEndedByCrLf)
{
    dir.write("sounds/end.wav", "x");
    dir.write("sounds/Count.WAV", "x");
    dir.write("sounds/notes.txt", "x");
    EXPECT_EQ(ListFolderFiles(dir.folders().Sounds + "*.wav"), "Count.WAV\r\nend.wav\r\n");
    EXPECT_EQ(ListFolderFiles(dir.folders().Background + "*.jpg"), "");
}

TEST_F(FileLists, SoundsStartWithNoneAndFallBackToIt)
{
    dir.write("sounds/count.wav", "x");
    dir.write("sounds/big bell.wav", "x");
    const SettingsFileList matched =
        SettingsFileList::build(dir.folders().Sounds, "*.wav", "COUNT.WAV", true);
    EXPECT_EQ(matched.entries, QStringList({"None", "Big Bell", "Count"}));
    EXPECT_EQ(matched.selected, 2);
    const SettingsFileList missing = SettingsFileList::build(dir.folders().Sounds, "*.wav", "Gone.wav", true);
    EXPECT_EQ(missing.selected, 0);
    const SettingsFileList empty = SettingsFileList::build(dir.folders().Background, "*.jpg", "", true);
    EXPECT_EQ(empty.entries, QStringList({"None"}));
    EXPECT_EQ(empty.selected, 0);
    const SettingsFileList noBlinds =
        SettingsFileList::build(dir.folders().Blinds, "*.blinds.csv", "x", false);
    EXPECT_TRUE(noBlinds.entries.isEmpty());
    EXPECT_EQ(noBlinds.selected, -1);
}

TEST(FileListEntry, CutsTheExtensionOnly)
{
    EXPECT_EQ(SettingsFileList::entryText("speed.blinds.csv", "*.blinds.csv"), "Speed");
    EXPECT_EQ(SettingsFileList::entryText("night.jpg", "*.jpg"), "Night");
    EXPECT_EQ(SettingsFileList::entryText("DEEP STACK.blinds.csv", "*.blinds.csv"), "Deep Stack");
    // Looked up again as entry + extension, so it must still name the same file.
    EXPECT_EQ(SettingsFileList::entryText("bell.v2.wav", "*.wav"), "Bell.v2");
}

TEST(Choices, RefreshEntriesAndTheirNotice)
{
    EXPECT_EQ(SettingsChoices::refreshIndex(30), 3);
    EXPECT_EQ(SettingsChoices::refreshIndex(0), 0);
    EXPECT_EQ(SettingsChoices::refreshIndex(15), 2);
    EXPECT_EQ(SettingsChoices::refreshSeconds(4), 60);

    const SettingsChoices::Notice every = SettingsChoices::refreshNotice(3);
    EXPECT_EQ(every.text, "The tournament data will be refreshed\r\nfrom KAVRO every 30 secs");
    EXPECT_EQ(every.colour, (RgbColour{16, 84, 197}));
    const SettingsChoices::Notice never = SettingsChoices::refreshNotice(0);
    EXPECT_EQ(never.text.split("\r\n").size(), 5);
    EXPECT_TRUE(never.text.startsWith("You have selected to \"never\" refresh the clock\r\n"));
    EXPECT_TRUE(never.text.endsWith("\r\nusing the function keys."));
    EXPECT_EQ(never.colour, (RgbColour{192, 0, 0}));
}

TEST(Choices, RoundingAndSwatches)
{
    EXPECT_EQ(SettingsChoices::roundingCaptions("$"),
              QStringList({"Nearest $1", "Nearest $10", "Nearest $100"}));
    for (auto [stored, index] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{10, 1}, std::pair{100, 2}}) {
        EXPECT_EQ(SettingsChoices::roundingIndex(qint16(stored)), index) << stored;
    }
    EXPECT_EQ(SettingsChoices::swatch(5), (RgbColour{64, 64, 64}));
    EXPECT_EQ(SettingsChoices::swatch(1), (RgbColour{238, 232, 234}));
    EXPECT_EQ(SettingsChoices::swatch(6), (RgbColour{255, 255, 255}));
    EXPECT_EQ(SettingsChoices::swatch(-1), (RgbColour{255, 255, 255}));
    EXPECT_EQ(SettingsChoices::colourSchemes(),
              (QStringList{"White", "Grey", "Green", "Blue", "Purple", "Black"}));
}

} // namespace
