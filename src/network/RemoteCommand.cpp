#include "RemoteCommand.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<const char16_t*, VirtualKey>, 15> Commands{{
    {u"pause", VirtualKey::Space},
    {u"previous_level", VirtualKey::F5},
    {u"next_level", VirtualKey::F6},
    {u"minute_down", VirtualKey::F9},
    {u"minute_up", VirtualKey::F10},
    {u"second_down", VirtualKey::F11},
    {u"second_up", VirtualKey::F12},
    {u"player_down", VirtualKey::Subtract},
    {u"player_up", VirtualKey::Add},
    {u"entry_down", VirtualKey::F7},
    {u"entry_up", VirtualKey::F8},
    {u"rebuy_down", VirtualKey::Multiply},
    {u"rebuy_up", VirtualKey::Right},
    {u"addon_down", VirtualKey::Divide},
    {u"addon_up", VirtualKey::Clear},
}};

} // namespace

std::optional<VirtualKey> RemoteCommand::key(QStringView name)
{
    for (const auto& [command, key] : Commands) {
        if (name == QStringView(command)) {
            return key;
        }
    }
    return std::nullopt;
}

QStringList RemoteCommand::names()
{
    QStringList result;
    for (const auto& command : Commands) {
        result.append(QString::fromUtf16(command.first));
    }
    return result;
}

bool RemoteCommand::changesLevel(QStringView name)
{
    return name == u"previous_level" || name == u"next_level";
}
