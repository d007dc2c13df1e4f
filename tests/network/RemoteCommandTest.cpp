#include "network/RemoteCommand.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(RemoteCommand, EachNameIsTheDirectorsKey)
{
    const std::pair<const char*, VirtualKey> cases[] = {
        {"pause", VirtualKey::Space},    {"previous_level", VirtualKey::F5},
        {"next_level", VirtualKey::F6},  {"minute_down", VirtualKey::F9},
        {"minute_up", VirtualKey::F10},  {"second_down", VirtualKey::F11},
        {"second_up", VirtualKey::F12},  {"player_down", VirtualKey::Subtract},
        {"player_up", VirtualKey::Add},  {"entry_down", VirtualKey::F7},
        {"entry_up", VirtualKey::F8},    {"rebuy_down", VirtualKey::Multiply},
        {"rebuy_up", VirtualKey::Right}, {"addon_down", VirtualKey::Divide},
        {"addon_up", VirtualKey::Clear},
    };
    for (const auto& [name, key] : cases) {
        EXPECT_EQ(RemoteCommand::key(QString::fromLatin1(name)), key) << name;
    }
    EXPECT_EQ(RemoteCommand::names().size(), qsizetype(std::size(cases)));
}

TEST(RemoteCommand, RefusesEverythingElse)
{
    // Help, settings and closing stay at the clock; names are exact.
    for (const char* name : {"", "Pause", "pause ", "help", "settings", "close", "f1", "qr_code",
                             "next_level\n", "player_up;pause"}) {
        EXPECT_FALSE(RemoteCommand::key(QString::fromLatin1(name)).has_value()) << name;
    }
    EXPECT_FALSE(RemoteCommand::key(QString(100000, u'a')).has_value());
}

TEST(RemoteCommand, OnlyLevelChangesAskFirst)
{
    QStringList asking;
    for (const QString& name : RemoteCommand::names()) {
        if (RemoteCommand::changesLevel(name)) {
            asking.append(name);
        }
    }
    EXPECT_EQ(asking, (QStringList{"previous_level", "next_level"}));
}
