// The files a director gets out of the box must load cleanly.
#include "core/BlindStructure.h"
#include "core/ClockSettingsFile.h"
#include "core/TournamentState.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TEST(SampleContent, EveryBlindsFileLoadsWithLevelsAndBreaks)
{
    const QStringList names = QDir(KAVRO_SOURCE_DIR "/data/blinds").entryList({"*.blinds.csv"}, QDir::Files);
    ASSERT_GE(names.size(), 3);
    EXPECT_TRUE(names.contains("Speed.blinds.csv"));
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        TempProgramFolder dir;
        dir.copySample("blinds/" + name, "blinds/" + name);
        TournamentState state;
        state.Folders = dir.folders();
        state.Tournament.Blinds = name;
        BlindStructure structure;
        ASSERT_NO_THROW(LoadBlindStructure(state, structure));
        EXPECT_GE(structure.levelCount(), 15);
        int breaks = 0;
        bool antes = false;
        for (int i = 1; i <= structure.levelCount(); ++i) {
            EXPECT_GE(structure.at(i).Minutes, 1);
            breaks += structure.at(i).hasBreak() ? 1 : 0;
            antes = antes || structure.at(i).Ante != "0";
        }
        EXPECT_GE(breaks, 2);
        EXPECT_TRUE(antes);
    }
}

TEST(SampleContent, DefaultSettingsFindTheShippedFiles)
{
    TempProgramFolder dir;
    dir.copySample("blinds/Speed.blinds.csv", "blinds/Speed.blinds.csv");
    dir.copySample("sounds/Count.wav", "sounds/Count.wav");
    dir.copySample("sounds/End.wav", "sounds/End.wav");
    TournamentState state;
    state.Folders = dir.folders();
    ReadWriteClockSettings(state, "read");
    EXPECT_EQ(state.Display.Tick_Sound, u"Count.wav");
    EXPECT_EQ(state.Display.End_Sound, u"End.wav");
    EXPECT_EQ(state.Tournament.Blinds, u"Speed.blinds.csv");
    EXPECT_TRUE(QFile::exists(KAVRO_SOURCE_DIR "/data/background/Blue.jpg"));
}

} // namespace
