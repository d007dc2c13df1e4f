#include "core/ClockOptions.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void write(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

TEST(ClockOptions, MissingFileIsEverythingOff)
{
    QTemporaryDir folder;
    const ClockOptions options = ClockOptions::load(folder.path());
    EXPECT_FALSE(options.network.playersView);
    EXPECT_EQ(options.network.port, 8088);
    EXPECT_TRUE(options.network.bind.isEmpty());
    EXPECT_TRUE(options.network.remotePin.isEmpty());
    EXPECT_FALSE(options.voice.announcements);
    EXPECT_EQ(options.voice.voice, QStringLiteral("en"));
    EXPECT_EQ(options.voice.levelWarningMinutes, 0);
}

TEST(ClockOptions, ReadsTheSectionsAsWritten)
{
    QTemporaryDir folder;
    write(ClockOptions::fileName(folder.path()), "[Network]\nPlayers_View=true\nPort=9000\nBind=127.0.0.1\n"
                                                 "Remote_PIN=4711\n[Voice]\nAnnouncements=true\nVoice=de\n"
                                                 "Rate=140\nLevel_Warning_Minutes=2\n");
    const ClockOptions options = ClockOptions::load(folder.path());
    EXPECT_TRUE(options.network.playersView);
    EXPECT_EQ(options.network.port, 9000);
    EXPECT_EQ(options.network.bind, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(options.network.remotePin, QStringLiteral("4711"));
    EXPECT_TRUE(options.voice.announcements);
    EXPECT_EQ(options.voice.voice, QStringLiteral("de"));
    EXPECT_EQ(options.voice.rate, 140);
    EXPECT_EQ(options.voice.levelWarningMinutes, 2);
}

TEST(ClockOptions, ValuesOutOfRangeTakeTheDefault)
{
    QTemporaryDir folder;
    write(ClockOptions::fileName(folder.path()), "[Network]\nPlayers_View=maybe\nPort=70000\n[Voice]\n"
                                                 "Rate=-3\nLevel_Warning_Minutes=abc\nVoice=\n");
    const ClockOptions options = ClockOptions::load(folder.path());
    EXPECT_FALSE(options.network.playersView);
    EXPECT_EQ(options.network.port, 8088);
    EXPECT_EQ(options.voice.rate, 160);
    EXPECT_EQ(options.voice.levelWarningMinutes, 0);
    EXPECT_EQ(options.voice.voice, QStringLiteral("en"));
}

TEST(ClockOptions, SaveReadsBackTheSame)
{
    QTemporaryDir folder;
    ClockOptions options;
    options.network.playersView = true;
    options.network.port = 8123;
    options.network.remotePin = QStringLiteral("0042");
    options.voice.announcements = true;
    options.voice.levelWarningMinutes = 5;
    ASSERT_TRUE(options.save(folder.path()));
    EXPECT_EQ(ClockOptions::load(folder.path()), options);
}

TEST(ClockOptions, HostNamesAreCommaSeparated)
{
    struct Case
    {
        QByteArray line;
        QStringList names;
    };
    const Case cases[] = {
        {"Host_Names=clock.example\n", {"clock.example"}},
        {"Host_Names=clock.example, tv.example ,,\n", {"clock.example", "tv.example"}},
        {"Host_Names=\"a.example,b.example\"\n", {"a.example", "b.example"}},
        {"Host_Names=\n", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        write(ClockOptions::fileName(folder.path()), "[Network]\n" + c.line);
        EXPECT_EQ(ClockOptions::load(folder.path()).network.hostNames, c.names) << c.line.constData();
    }
    QTemporaryDir folder;
    ClockOptions options;
    options.network.hostNames = QStringList{"clock.example", "tv.example"};
    ASSERT_TRUE(options.save(folder.path()));
    EXPECT_EQ(ClockOptions::load(folder.path()), options);
}

TEST(ClockOptions, SaveWhereNoFolderCanBeFails)
{
    // A plain file where the program folder should be: even root cannot write below it.
    QTemporaryDir folder;
    const QString notAFolder = folder.filePath(QStringLiteral("file"));
    write(notAFolder, "x");
    QString error;
    EXPECT_FALSE(ClockOptions().save(notAFolder, &error));
    EXPECT_FALSE(error.isEmpty());
}
