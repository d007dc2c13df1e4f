#include "core/RecoveryRecord.h"

#include "core/ClockError.h"
#include "core/ClockSettingsFile.h"
#include "core/TournamentState.h"
#include "support/FileSizeLimit.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class RecoveryRecordTest : public testing::Test
{
protected:
    TempProgramFolder dir;
    TournamentState state;
    RecoveryRecord record{dir.folders()};
    const QDateTime now = QDateTime::currentDateTime();

    void SetUp() override
    {
        state.Folders = dir.folders();
        dir.write("blinds/Turbo.blinds.csv", "Level\r\n");
        ApplyClockSettingsDefaults(state);
        state.Tournament.Tournament_ID = 17;
        state.Tournament.Blinds = "Turbo.blinds.csv";
        writeSettings();
    }

    void writeSettings() { ReadWriteClockSettings(state, "write"); }

    // Sets a file's modification time to seconds from the test's start.
    void age(const QString& relative, int seconds)
    {
        QFile file(dir.programPath(relative));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(now.addSecs(seconds), QFileDevice::FileModificationTime));
    }

    // A tournament well under way, with values a default state does not have.
    TournamentState running() const
    {
        TournamentState s = state;
        TournamentRecord& t = s.Tournament;
        t.Level = 7;
        t.Time = "12:34";
        t.Players = 41;
        t.Entries = 58;
        t.Rebuys = 9;
        t.Addons = 3;
        t.Player_Variance = -2;
        t.Entry_Variance = 1;
        t.Rebuy_Variance = -32768;
        t.Addon_Variance = 32767;
        t.Title = "Sunday Deepstack";
        return s;
    }
};

TEST_F(RecoveryRecordTest, WrittenRecordResumesEveryRunningValueAndNothingElse)
{
    const TournamentState before = running();
    record.write(before, true);
    age("darvel.ini", -5);

    const auto values = record.resumable(state);
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(*values, RecoveryValues::from(before, true));

    TournamentState after = state;
    values->applyTo(after);
    EXPECT_EQ(RecoveryValues::from(after, true), RecoveryValues::from(before, true));
    EXPECT_EQ(after.Tournament.Title, state.Tournament.Title); // settings stay darvel.ini's
    EXPECT_EQ(after.Display, state.Display);
}

TEST_F(RecoveryRecordTest, RecordIsDarvelIniWithTheBreakAddedInCrLfLines)
{
    record.write(running(), false);
    QFile file(record.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 37); // 36 lines and the empty rest after the last line end
    for (qsizetype i = 0; i < 36; ++i) {
        EXPECT_TRUE(lines[i].endsWith('\r')) << i;
    }
    EXPECT_EQ(lines[35], "Break=0\r");
    EXPECT_EQ(QFileInfo(record.path()).fileName(), "darvel.recovery");
    EXPECT_EQ(QFileInfo(record.path()).dir(), QDir(dir.folders().Program));
}

TEST_F(RecoveryRecordTest, OnlyARecordNotOlderThanDarvelIniResumes)
{
    struct Case
    {
        const char* name;
        int recordAge; // seconds from now
        int settingsAge;
        bool removeSettings;
        bool resumes;
    };
    const Case cases[] = {
        {"newer record", 0, -60, false, true},
        {"older record: the director saved after it", -60, 0, false, false},
        {"one second older", -1, 0, false, false},
        {"same time", -10, -10, false, true},
        {"no darvel.ini", 0, 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeSettings();
        record.write(running(), false);
        age("darvel.recovery", c.recordAge);
        age("darvel.ini", c.settingsAge);
        if (c.removeSettings) {
            QFile::remove(dir.programPath("darvel.ini"));
        }
        EXPECT_EQ(record.resumable(state).has_value(), c.resumes);
    }
}

TEST_F(RecoveryRecordTest, NoRecordResumesNothing)
{
    EXPECT_FALSE(record.resumable(state).has_value());
    EXPECT_FALSE(record.written().isValid());
}

TEST_F(RecoveryRecordTest, DamagedRecordIsIgnored)
{
    record.write(running(), false);
    const QByteArray good = dir.read("darvel.recovery");
    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"cut in half", good.left(good.size() / 2)},
        {"no break line", QByteArray(good).replace("Break=0\r\n", "")},
        {"break neither 0 nor 1", QByteArray(good).replace("Break=0", "Break=2")},
        {"level not a number", QByteArray(good).replace("Level=7", "Level=7x")},
        {"level with a fraction", QByteArray(good).replace("Level=7", "Level=7.5")},
        {"count out of range", QByteArray(good).replace("Entries=58", "Entries=40000")},
        {"variance empty", QByteArray(good).replace("Rebuy_Variance=-32768", "Rebuy_Variance=")},
        {"time garbled", QByteArray(good).replace("Time=12:34", "Time=1\x01:34")},
        {"time without seconds", QByteArray(good).replace("Time=12:34", "Time=12")},
        {"time negative", QByteArray(good).replace("Time=12:34", "Time=-1:-1")},
        {"time of letters", QByteArray(good).replace("Time=12:34", "Time=abc")},
        {"binary", QByteArray("\x00\xff\xfe=\r\n\x7f", 6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("darvel.recovery", c.bytes);
        age("darvel.ini", -60);
        EXPECT_FALSE(record.resumable(state).has_value());
    }
    dir.write("darvel.recovery", good);
    age("darvel.ini", -60);
    EXPECT_TRUE(record.resumable(state).has_value()); // the cases above broke only what they name
}

TEST_F(RecoveryRecordTest, RecordOfAnotherTournamentOrStructureIsIgnored)
{
    struct Case
    {
        const char* name;
        qint32 tournament;
        const char* blinds;
        bool resumes;
    };
    const Case cases[] = {
        {"same", 17, "Turbo.blinds.csv", true},
        {"blinds name in another case", 17, "TURBO.blinds.csv", true},
        {"another tournament", 18, "Turbo.blinds.csv", false},
        {"another structure", 17, "Speed.blinds.csv", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TournamentState other = running();
        other.Tournament.Tournament_ID = c.tournament;
        other.Tournament.Blinds = c.blinds;
        record.write(other, false);
        age("darvel.ini", -60);
        EXPECT_EQ(record.resumable(state).has_value(), c.resumes);
    }
}

TEST_F(RecoveryRecordTest, FailedWriteKeepsTheOldRecord)
{
    record.write(running(), false);
    const QByteArray good = dir.read("darvel.recovery");
    TournamentState big = running();
    big.Tournament.Title = QString(4000, u'x');
    big.Tournament.Level = 8;

    bool thrown = false;
    {
        const FileSizeLimit fullDisk(1000);
        ASSERT_TRUE(fullDisk.active());
        try {
            record.write(big, true);
        } catch (const ClockError& e) {
            thrown = true;
            EXPECT_TRUE(e.message().contains("darvel.recovery")) << e.message().toStdString();
            // The system's own reason, not what giving up on the temporary file leaves behind.
            EXPECT_TRUE(e.message().contains("File too large")) << e.message().toStdString();
        }
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(dir.read("darvel.recovery"), good);
    age("darvel.ini", -60);
    const auto values = record.resumable(state);
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(values->Level, 7);
    EXPECT_EQ(QDir(dir.folders().Program).entryList(QDir::Files),
              (QStringList{"darvel.ini", "darvel.recovery"})); // no leftovers
}

TEST_F(RecoveryRecordTest, RecordOfANormalExitInABreakSaysSo)
{
    struct Case
    {
        bool inBreak;
        bool closed;
    };
    for (const Case c : {Case{true, true}, Case{true, false}, Case{false, false}}) {
        SCOPED_TRACE(testing::Message() << "break " << c.inBreak << " closed " << c.closed);
        record.write(running(), c.inBreak, c.closed);
        EXPECT_EQ(dir.read("darvel.recovery").contains("\r\nClosed=1\r\n"), c.closed);
        age("darvel.ini", -60);
        const auto values = record.resumable(state);
        ASSERT_TRUE(values.has_value());
        EXPECT_EQ(values->InBreak, c.inBreak);
        EXPECT_EQ(values->Closed, c.closed);
        EXPECT_EQ(values->Time, "12:34");
    }
}

TEST_F(RecoveryRecordTest, RemoveTakesTheRecordAwayAndToleratesNone)
{
    record.write(running(), false);
    EXPECT_TRUE(record.written().isValid());
    record.remove();
    EXPECT_FALSE(QFile::exists(record.path()));
    EXPECT_FALSE(record.resumable(state).has_value());
    record.remove();
    EXPECT_TRUE(QFile::exists(dir.programPath("darvel.ini"))); // darvel.ini is never touched
}

TEST_F(RecoveryRecordTest, MessageSaysWhereTheTournamentStandsAndThatItIsPaused)
{
    RecoveryValues values = RecoveryValues::from(running(), false);
    const QDateTime at(QDate(2026, 12, 8), QTime(21, 5, 9));
    const QString level = RecoveryRecord::resumedMessage(values, at);
    EXPECT_TRUE(level.contains("21:05:09")) << level.toStdString();
    EXPECT_TRUE(level.contains("level 7, 12:34 left")) << level.toStdString();
    EXPECT_TRUE(level.contains("paused")) << level.toStdString();

    values.InBreak = true;
    const QString inBreak = RecoveryRecord::resumedMessage(values, at);
    EXPECT_TRUE(inBreak.contains("the break after level 7, 12:34 left")) << inBreak.toStdString();
}

} // namespace
