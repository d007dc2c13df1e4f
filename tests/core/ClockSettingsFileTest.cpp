#include "core/ClockSettingsFile.h"

#include "core/ClockError.h"
#include "core/Cp1252.h"
#include "core/TournamentState.h"
#include "support/FileSizeLimit.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QByteArray DefaultFile = "Color_Style=3\r\n"
                               "Tick_Sound=Count.wav\r\n"
                               "End_Sound=End.wav\r\n"
                               "Background=Blue.jpg\r\n"
                               ";\r\n"
                               "Tournament_ID=0\r\n"
                               "Title=\r\n"
                               "Refresh=0\r\n"
                               "Time=--:--\r\n"
                               "Level=1\r\n"
                               ";\r\n"
                               "Players=0\r\n"
                               "Entries=0\r\n"
                               "Rebuys=0\r\n"
                               "Addons=0\r\n"
                               ";\r\n"
                               "Player_Variance=0\r\n"
                               "Entry_Variance=0\r\n"
                               "Rebuy_Variance=0\r\n"
                               "Addon_Variance=0\r\n"
                               ";\r\n"
                               "Prize_Rounding=0\r\n"
                               "Prize_Guarantee=0\r\n"
                               "Prize_Contribution=0\r\n"
                               ";\r\n"
                               "Blinds=Speed.blinds.csv\r\n"
                               ";\r\n"
                               "Buyin=0\r\n"
                               "Rebuy=0\r\n"
                               "Addon=0\r\n"
                               ";\r\n"
                               "Buyin_Chips=1000\r\n"
                               "Rebuy_Chips=1000\r\n"
                               "Addon_Chips=1000\r\n";

class ClockSettingsFile : public testing::Test
{
protected:
    TempProgramFolder dir;
    TournamentState state;

    void SetUp() override
    {
        state.Folders = dir.folders();
        dir.write("sounds/Count.wav", "RIFF");
        dir.write("sounds/End.wav", "RIFF");
        dir.write("blinds/Speed.blinds.csv", "Level\r\n");
    }

    void writeIni(const QByteArray& bytes) { dir.write("darvel.ini", bytes); }
    QByteArray ini() { return dir.read("darvel.ini"); }
};

TEST_F(ClockSettingsFile, MissingFileIsCreatedWithTheDefaultsAndMarksTheFirstRun)
{
    state.Tournament.Refresh = 30; // left as it is by the defaults
    ReadWriteClockSettings(state, "read");
    EXPECT_TRUE(state.FirstRun);
    EXPECT_EQ(ini(), QByteArray(DefaultFile).replace("Refresh=0", "Refresh=30"));
    EXPECT_EQ(ClockSettingsLines(state).size(), 34);
}

TEST_F(ClockSettingsFile, FileNamedInCapitalsIsReadAndWrittenInPlace)
{
    dir.write("DARVEL.INI", "Level=7\r\n");
    ReadWriteClockSettings(state, "read");
    EXPECT_FALSE(state.FirstRun);
    EXPECT_EQ(state.Tournament.Level, 7);
    state.Tournament.Level = 8;
    ReadWriteClockSettings(state, "write");
    EXPECT_EQ(QDir(dir.folders().Program).entryList({"*.ini", "*.INI"}, QDir::Files),
              QStringList{"DARVEL.INI"});
    EXPECT_TRUE(dir.read("DARVEL.INI").contains("Level=8\r\n"));
}

TEST_F(ClockSettingsFile, ExistingFileIsNotAFirstRun)
{
    writeIni(DefaultFile);
    ReadWriteClockSettings(state, "  ReAd ");
    EXPECT_FALSE(state.FirstRun);
    EXPECT_EQ(state.Tournament.Level, 1);
    EXPECT_EQ(state.Tournament.Time, u"--:--");
    EXPECT_EQ(state.Tournament.Buyin_Chips.raw(), 1000 * Money::Scale);
}

TEST_F(ClockSettingsFile, EveryFieldSurvivesAWriteAndARead)
{
    ReadWriteClockSettings(state, "read");
    TournamentRecord& t = state.Tournament;
    t.Refresh = 10;
    t.Level = 7;
    t.Time = "12:34";
    t.Tournament_ID = 2000000000;
    t.Title = QString::fromUtf8("Coupe d'été = 2 €");
    t.Players = 123;
    t.Entries = 150;
    t.Rebuys = 20;
    t.Addons = 30;
    t.Player_Variance = -3;
    t.Entry_Variance = -32768;
    t.Rebuy_Variance = 32767;
    t.Addon_Variance = -1;
    t.Prize_Rounding = 100;
    t.Prize_Guarantee = *Money::fromLeadingText(u"10000.0001");
    t.Prize_Contribution = *Money::fromLeadingText(u"-12.5");
    t.Buyin = *Money::fromLeadingText(u"55.25");
    t.Rebuy = *Money::fromLeadingText(u"0.0001");
    t.Addon = *Money::fromLeadingText(u"922337203685477.5807");
    t.Buyin_Chips = *Money::fromLeadingText(u"15000");
    t.Rebuy_Chips = *Money::fromLeadingText(u"7500.5");
    t.Addon_Chips = *Money::fromLeadingText(u"3");
    state.Display.Color_Style = -2;
    state.Display.Background = "Nope.jpg"; // not checked by the file
    const TournamentState written = state;
    ReadWriteClockSettings(state, "write");

    TournamentState loaded;
    loaded.Folders = dir.folders();
    ReadWriteClockSettings(loaded, "read");
    EXPECT_EQ(loaded.Tournament, written.Tournament);
    EXPECT_EQ(loaded.Display, written.Display);
}

TEST_F(ClockSettingsFile, LineBreaksInAValueCannotSplitItsEntry)
{
    ReadWriteClockSettings(state, "read");
    state.Tournament.Title = "Friday\r\nNight\n\nCup\r";
    state.Display.Background = "\nBlue.jpg";
    ReadWriteClockSettings(state, "write");
    EXPECT_EQ(ini().count("\r\n"), 34);

    TournamentState loaded;
    loaded.Folders = dir.folders();
    ReadWriteClockSettings(loaded, "read");
    EXPECT_EQ(loaded.Tournament.Title, u"Friday Night Cup ");
    EXPECT_EQ(loaded.Display.Background, u" Blue.jpg");
    EXPECT_EQ(loaded.Tournament.Level, state.Tournament.Level);
    EXPECT_EQ(loaded.Tournament.Blinds, state.Tournament.Blinds);
}

TEST_F(ClockSettingsFile, TextIsWindows1252WithoutAByteOrderMark)
{
    ReadWriteClockSettings(state, "read");
    state.Tournament.Title = QString::fromUtf8("Café €");
    ReadWriteClockSettings(state, "write");
    const QByteArray bytes = ini();
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.contains("Title=Caf\xE9 \x80\r\n"));

    writeIni("Title=Na\xEFve\r\n");
    ReadWriteClockSettings(state, "read");
    EXPECT_EQ(state.Tournament.Title, QString::fromUtf8("Naïve"));
}

TEST_F(ClockSettingsFile, ByteOrderMarkOfNotepadIsSkippedAndNeverWrittenBack)
{
    writeIni("\xEF\xBB\xBF"
             "Color_Style=5\r\nTitle=Caf\xC3\xA9\r\n");
    ReadWriteClockSettings(state, "read");
    EXPECT_EQ(state.Display.Color_Style, 5); // the first key, not "\xEF\xBB\xBFColor_Style"
    EXPECT_EQ(state.Tournament.Title, QString::fromUtf8("Café"));

    ReadWriteClockSettings(state, "write");
    const QByteArray bytes = ini();
    EXPECT_TRUE(bytes.startsWith("Color_Style=5\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nTitle=Caf\xE9\r\n"));
    EXPECT_EQ(bytes.count('\n'), 34);
}

TEST_F(ClockSettingsFile, ByteOrderMarkBeforeWindows1252BytesKeepsThem)
{
    // A mark in front of text that is no valid UTF-8: the bytes stay what they were, not U+FFFD.
    writeIni("\xEF\xBB\xBF"
             "Title=Caf\xE9 \x96 Final\r\n");
    ReadWriteClockSettings(state, "read");
    EXPECT_EQ(state.Tournament.Title, QString::fromUtf8("Café – Final"));
    ReadWriteClockSettings(state, "write");
    EXPECT_TRUE(ini().contains("\r\nTitle=Caf\xE9 \x96 Final\r\n"));
}

TEST(Cp1252Text, CanEncodeOnlyWhatReadsBackUnchanged)
{
    for (const auto& [text, kept] :
         {std::pair{"Speed.blinds.csv", true}, std::pair{"Caf\u00E9 \u20AC \u2013", true},
          std::pair{"\u015Aroda.blinds.csv", false}, std::pair{"\u65E5", false}, std::pair{"?", true},
          std::pair{"\U0001F600", false}}) {
        EXPECT_EQ(Cp1252::canEncode(QString::fromUtf8(text)), kept) << text;
    }
}

TEST_F(ClockSettingsFile, KeysAreMatchedUpperCasedButNotTrimmed)
{
    writeIni("title=My Cup\r\n"
             "Title = Other\r\n"
             "entry_variance=4\r\n"
             "Level=3\r\n"
             "LEVEL=5\r\n"
             "no equals sign here\r\n"
             "\r\n"
             "Unknown=1\r\n");
    ReadWriteClockSettings(state, "read");
    EXPECT_EQ(state.Tournament.Title, u"My Cup");
    EXPECT_EQ(state.Tournament.Entry_Variance, 4);
    EXPECT_EQ(state.Tournament.Level, 5); // the last line wins

    writeIni("Title== x\r\n");
    ReadWriteClockSettings(state, "read");
    EXPECT_EQ(state.Tournament.Title, u"= x");
}

TEST_F(ClockSettingsFile, ValuesAreConvertedByTheirField)
{
    struct Case
    {
        QByteArray line;
        std::function<void(const TournamentState&)> check;
    };
    const std::vector<Case> cases = {
        {"Level=3.5", [](auto& s) { EXPECT_EQ(s.Tournament.Level, 4); }},
        {"Level=2.5", [](auto& s) { EXPECT_EQ(s.Tournament.Level, 2); }},
        {"Level=abc", [](auto& s) { EXPECT_EQ(s.Tournament.Level, 0); }},
        {"Buyin=12.345", [](auto& s) { EXPECT_EQ(s.Tournament.Buyin.raw(), 123450); }},
        {"Buyin=1 000", [](auto& s) { EXPECT_EQ(s.Tournament.Buyin.raw(), 10000000); }},
        {"Tournament_ID=70000", [](auto& s) { EXPECT_EQ(s.Tournament.Tournament_ID, 70000); }},
        {"Color_Style= 5 ", [](auto& s) { EXPECT_EQ(s.Display.Color_Style, 5); }},
        {"Time= 07:30 ", [](auto& s) { EXPECT_EQ(s.Tournament.Time, u" 07:30 "); }},
    };
    for (const Case& c : cases) {
        writeIni(c.line + "\r\n");
        ReadWriteClockSettings(state, "read");
        SCOPED_TRACE(c.line.toStdString());
        c.check(state);
    }
}

TEST_F(ClockSettingsFile, BadValuesNameTheFileLineAndKeyAndKeepWhatWasRead)
{
    struct Case
    {
        QByteArray file;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"Title=Kept\r\nColor_Style=blue\r\nLevel=9\r\n", "line 2, key Color_Style"},
        {"Title=Kept\r\n;\r\nPlayers=40000\r\nLevel=9\r\n", "line 3, key Players"},
        {"Title=Kept\r\nTournament_ID=3000000000\r\n", "line 2, key Tournament_ID"},
        {"Title=Kept\r\nBuyin=1e30\r\n", "line 2, key Buyin"},
        {"Title=Kept\r\nColor_Style=\r\n", "line 2, key Color_Style"},
    };
    for (const Case& c : cases) {
        state.Tournament.Level = 1;
        writeIni(c.file);
        try {
            ReadWriteClockSettings(state, "read");
            ADD_FAILURE() << "no error for " << c.file.toStdString();
        } catch (const ClockError& e) {
            EXPECT_TRUE(e.message().contains("darvel.ini")) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(c.expected)) << e.message().toStdString();
        }
        EXPECT_EQ(state.Tournament.Title, u"Kept");
        EXPECT_EQ(state.Tournament.Level, 1);
    }
}

TEST_F(ClockSettingsFile, MissingSoundsAreClearedAndMissingBlindsReplacedProperCased)
{
    QFile::remove(dir.programPath("blinds/Speed.blinds.csv"));
    dir.write("blinds/zeta.blinds.csv", "x");
    dir.write("blinds/TURBO.BLINDS.CSV", "x");
    dir.write("blinds/notes.txt", "x");
    writeIni("Tick_Sound=Gone.wav\r\nEnd_Sound=end.WAV\r\nBlinds=Speed.blinds.csv\r\n");
    ReadWriteClockSettings(state, "read");
    EXPECT_EQ(state.Display.Tick_Sound, u"");
    EXPECT_EQ(state.Display.End_Sound, u"end.WAV"); // found whatever the case
    EXPECT_EQ(state.Tournament.Blinds, u"Turbo.blinds.csv");

    ReadWriteClockSettings(state, "write");
    EXPECT_TRUE(ini().contains("\r\nTick_Sound=\r\n"));
    EXPECT_TRUE(ini().contains("\r\nBlinds=Turbo.blinds.csv\r\n"));
}

TEST_F(ClockSettingsFile, NoBlindsFilesAtAllClearsTheName)
{
    QFile::remove(dir.programPath("blinds/Speed.blinds.csv"));
    writeIni("Blinds=Speed.blinds.csv\r\n");
    ReadWriteClockSettings(state, "read");
    EXPECT_EQ(state.Tournament.Blinds, u"");
}

TEST_F(ClockSettingsFile, ReplacedBlindsNameIsNotedForTheDirector)
{
    const QString folder = QDir::toNativeSeparators(dir.folders().Blinds);
    struct Case
    {
        const char* name;
        QByteArray ini;
        bool keepSpeed;
        QStringList notes;
    };
    for (const Case& c :
         {Case{"file present", "Blinds=speed.BLINDS.csv\r\n", true, {}},
          Case{"name mangled by the code page",
               "Blinds=?roda.blinds.csv\r\n",
               true,
               {"The blinds file \"?roda.blinds.csv\" named in darvel.ini was not found in " + folder +
                ".\r\n\r\nThe clock uses \"Speed.blinds.csv\" instead; check the structure in the settings "
                "before the tournament goes on."}},
          Case{"no blinds files at all",
               "Blinds=Gone.blinds.csv\r\n",
               false,
               {"The blinds file \"Gone.blinds.csv\" named in darvel.ini was not found in " + folder +
                ".\r\n\r\nThe clock has no blinds structure."}},
          Case{"unreadable value, recovered", "Color_Style=blue\r\nBlinds=?roda.blinds.csv\r\n", true, {}}}) {
        if (!c.keepSpeed) {
            QFile::remove(dir.programPath("blinds/Speed.blinds.csv"));
        }
        writeIni(c.ini);
        QStringList notes;
        try {
            ReadWriteClockSettings(state, "read", &notes);
        } catch (const ClockError&) {
            EXPECT_TRUE(notes.isEmpty()) << c.name;
            RecoverClockSettings(state, &notes);
            EXPECT_EQ(notes.size(), 1) << c.name;
            EXPECT_TRUE(notes.value(0).contains("?roda.blinds.csv")) << c.name;
            continue;
        }
        EXPECT_EQ(notes, c.notes) << c.name;
        dir.write("blinds/Speed.blinds.csv", "Level\r\n");
    }
}

TEST_F(ClockSettingsFile, OtherModesOnlyCheckTheNames)
{
    writeIni("Level=4\r\n");
    state.Display.Tick_Sound = "Gone.wav";
    state.Tournament.Level = 9;
    ReadWriteClockSettings(state, "check");
    EXPECT_EQ(state.Display.Tick_Sound, u"");
    EXPECT_EQ(state.Tournament.Level, 9);
    EXPECT_EQ(ini(), QByteArray("Level=4\r\n"));
}

TEST_F(ClockSettingsFile, FailedWriteKeepsTheOldFileAndReportsIt)
{
    writeIni(DefaultFile);
    ReadWriteClockSettings(state, "read");
    state.Tournament.Title = QString(4000, u'x');

    bool thrown = false;
    {
        const FileSizeLimit fullDisk(512);
        ASSERT_TRUE(fullDisk.active());
        try {
            ReadWriteClockSettings(state, "write");
        } catch (const ClockError& e) {
            thrown = true;
            EXPECT_TRUE(e.message().contains("darvel.ini")) << e.message().toStdString();
        }
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(ini(), DefaultFile);
    EXPECT_EQ(QDir(dir.folders().Program).entryList(QDir::Files), QStringList{"darvel.ini"}); // no leftovers
}

TEST_F(ClockSettingsFile, WriteIntoAMissingFolderIsReported)
{
    state.Folders = ClockFolders::fromProgramFolder(dir.programPath("no/such/folder"));
    EXPECT_THROW(ReadWriteClockSettings(state, "write"), ClockError);
}

TEST_F(ClockSettingsFile, UnreadableFileIsReported)
{
    QDir().mkpath(dir.programPath("darvel.ini")); // a folder where the file should be
    EXPECT_THROW(ReadWriteClockSettings(state, "read"), ClockError);
}

TEST(ClockFolders, DerivedByPlainConcatenation)
{
    const ClockFolders f = ClockFolders::fromProgramFolder("/opt/kavro/Clock");
    EXPECT_EQ(f.Blinds, "/opt/kavro/Clock/blinds/");
    EXPECT_EQ(f.Sounds, "/opt/kavro/Clock/sounds/");
    EXPECT_EQ(f.Background, "/opt/kavro/Clock/background/");
    EXPECT_EQ(f.Parent, "/opt/kavro/");
    EXPECT_EQ(f.settingsFile(), "/opt/kavro/Clock/darvel.ini");

    const ClockFolders root = ClockFolders::fromProgramFolder("/");
    EXPECT_EQ(root.Blinds, "//blinds/");
    EXPECT_EQ(root.Parent, "/");
}

} // namespace

namespace {

TEST_F(ClockSettingsFile, RecoveryKeepsEveryGoodValueAndDefaultsTheBadOnes)
{
    writeIni("Title=Kept\r\nColor_Style=blue\r\nLevel=7\r\nPlayers=99999\r\nTime=12:00\r\n");
    EXPECT_THROW(ReadWriteClockSettings(state, "read"), ClockError);
    state.Tournament.Players = 55; // whatever the failed read left behind
    const QStringList problems = RecoverClockSettings(state);
    ASSERT_EQ(problems.size(), 2);
    EXPECT_TRUE(problems[0].contains("line 2, key Color_Style"));
    EXPECT_TRUE(problems[1].contains("line 4, key Players"));
    EXPECT_EQ(state.Tournament.Title, "Kept");
    EXPECT_EQ(state.Tournament.Level, 7);
    EXPECT_EQ(state.Tournament.Time, "12:00");
    EXPECT_EQ(state.Display.Color_Style, 3); // default
    EXPECT_EQ(state.Tournament.Players, 0);  // default
    EXPECT_EQ(state.Tournament.Blinds, "Speed.blinds.csv");
    EXPECT_EQ(ini(),
              QByteArray("Title=Kept\r\nColor_Style=blue\r\nLevel=7\r\nPlayers=99999\r\nTime=12:00\r\n"));
}

} // namespace

namespace {

TEST_F(ClockSettingsFile, SavingAfterTheFileWasDeletedKeepsTheTournament)
{
    writeIni(DefaultFile);
    ReadWriteClockSettings(state, "read");
    state.Tournament.Title = "Sunday Main Event";
    state.Tournament.Level = 9;
    QFile::remove(dir.programPath("darvel.ini"));

    ReadWriteClockSettings(state, "write");
    EXPECT_FALSE(state.FirstRun);
    EXPECT_EQ(state.Tournament.Title, "Sunday Main Event");
    EXPECT_TRUE(ini().contains("\r\nTitle=Sunday Main Event\r\n"));
    EXPECT_TRUE(ini().contains("\r\nLevel=9\r\n"));
}

} // namespace
