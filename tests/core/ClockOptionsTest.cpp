#include "core/ClockOptions.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
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
                                                 "Remote_PIN=047110\n[Voice]\nAnnouncements=true\nVoice=de\n"
                                                 "Rate=140\nLevel_Warning_Minutes=2\n");
    const ClockOptions options = ClockOptions::load(folder.path());
    EXPECT_TRUE(options.network.playersView);
    EXPECT_EQ(options.network.port, 9000);
    EXPECT_EQ(options.network.bind, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(options.network.remotePin, QStringLiteral("047110"));
    EXPECT_TRUE(options.network.remoteOff.isEmpty());
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

TEST(ClockOptions, PortsTheLivePushCannotFollowTakeTheDefault)
{
    // Below 1024 needs root; 65535 leaves no port for the live push.
    for (const char* port : {"80", "1023", "65535", "0"}) {
        QTemporaryDir folder;
        write(ClockOptions::fileName(folder.path()), QByteArray("[Network]\nPort=") + port + "\n");
        EXPECT_EQ(ClockOptions::load(folder.path()).network.port, 8088) << port;
    }
    for (const int port : {ClockOptions::MinPort, ClockOptions::MaxPort}) {
        QTemporaryDir folder;
        write(ClockOptions::fileName(folder.path()), "[Network]\nPort=" + QByteArray::number(port) + "\n");
        EXPECT_EQ(ClockOptions::load(folder.path()).network.port, port);
    }
}

TEST(ClockOptions, APinTheRemoteCannotUseLeavesItOffAndSaysWhy)
{
    const struct
    {
        const char* written;
        QString pin;
    } cases[] = {
        {"123456", "123456"},
        {"123456789012", "123456789012"},
        {" 004711 ", "004711"},
        {"", ""},
        {"4711", ""},
        {"12345", ""},
        {"1234567890123", ""},
        {"12ab56", ""},
        {"12 456", ""},
        {"\xd9\xa1\xd9\xa2\xd9\xa3\xd9\xa4\xd9\xa5\xd9\xa6", ""}, // Arabic-Indic digits
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        write(ClockOptions::fileName(folder.path()),
              QByteArray("[Network]\nPlayers_View=true\nRemote_PIN=") + c.written + "\n");
        const ClockOptions options = ClockOptions::load(folder.path());
        EXPECT_EQ(options.network.remotePin, c.pin) << c.written;
        EXPECT_TRUE(options.network.playersView) << "the players' view stays on";
        if (c.pin.isEmpty() && *c.written) {
            EXPECT_EQ(options.network.remoteOff,
                      "The remote is off: Remote_PIN in options.ini must be 6 to 12 digits.")
                << c.written;
        } else {
            EXPECT_TRUE(options.network.remoteOff.isEmpty()) << c.written;
        }
    }
}

TEST(ClockOptions, ProblemsNameTheAllowedRange)
{
    const auto problems = [](const std::function<void(ClockOptions&)>& change) {
        ClockOptions options;
        change(options);
        return options.problems().join(u'|');
    };
    EXPECT_EQ(problems([](ClockOptions&) {}), "");
    EXPECT_EQ(problems([](ClockOptions& o) { o.network.remotePin = "123456"; }), "");
    EXPECT_EQ(problems([](ClockOptions& o) { o.network.port = 1023; }),
              "The port must be from 1024 to 65534 (the live push uses the port after it).");
    EXPECT_EQ(problems([](ClockOptions& o) { o.network.port = 65535; }),
              "The port must be from 1024 to 65534 (the live push uses the port after it).");
    EXPECT_EQ(problems([](ClockOptions& o) { o.network.remotePin = "12ab"; }),
              "The remote PIN must be 6 to 12 digits, or empty for no remote.");
    EXPECT_EQ(problems([](ClockOptions& o) { o.voice.rate = 79; }),
              "The rate must be from 80 to 450 words per minute.");
    EXPECT_EQ(problems([](ClockOptions& o) { o.voice.rate = 451; }),
              "The rate must be from 80 to 450 words per minute.");
    EXPECT_EQ(problems([](ClockOptions& o) {
                  o.network.port = 0;
                  o.network.remotePin = "1";
                  o.voice.rate = 500;
              }).count(u'|'),
              2);
}

TEST(ClockOptions, SaveReadsBackTheSame)
{
    QTemporaryDir folder;
    ClockOptions options;
    options.network.playersView = true;
    options.network.port = 8123;
    options.network.remotePin = QStringLiteral("004200");
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
