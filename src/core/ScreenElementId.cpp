#include "ScreenElementId.h"

#include "ProgrammingError.h"

#include <QList>
#include <array>
#include <utility>

namespace {

using enum ScreenElementId;

// The one place the elements' names are spelt.
constexpr std::array<std::pair<ScreenElementId, const char*>, ScreenElementCount> Names{{
    {shpLevel, "shpLevel"},
    {shpBlinds, "shpBlinds"},
    {shpNext, "shpNext"},
    {Shape2, "Shape2"},
    {Shape3, "Shape3"},
    {Shape1, "Shape1"},
    {shpButton, "shpButton"},
    {imgLogo, "imgLogo"},
    {lblTitle, "lblTitle"},
    {lblTimer0, "lblTimer0"},
    {lblTimer1, "lblTimer1"},
    {lblTimer2, "lblTimer2"},
    {lblTimer3, "lblTimer3"},
    {lblTimer4, "lblTimer4"},
    {lblPaused, "lblPaused"},
    {lblBreakNotice, "lblBreakNotice"},
    {lblLevelCaption, "lblLevelCaption"},
    {lblLevel, "lblLevel"},
    {lblBlindsCaption, "lblBlindsCaption"},
    {lblBlinds, "lblBlinds"},
    {lblAnteCaption, "lblAnteCaption"},
    {lblAnte, "lblAnte"},
    {lblNextLevelCaption, "lblNextLevelCaption"},
    {lblNextLevel, "lblNextLevel"},
    {lblNextAnteCaption, "lblNextAnteCaption"},
    {lblNextAnte, "lblNextAnte"},
    {lblTotalTimeCaption, "lblTotalTimeCaption"},
    {lblTotalTime, "lblTotalTime"},
    {lblBreakCaption, "lblBreakCaption"},
    {lblBreak, "lblBreak"},
    {lblStackCaption, "lblStackCaption"},
    {lblStack, "lblStack"},
    {lblPlayersCaption, "lblPlayersCaption"},
    {lblPlayers, "lblPlayers"},
    {lblPrizeCaption, "lblPrizeCaption"},
    {lblPrize, "lblPrize"},
    {lblPrizes, "lblPrizes"},
    {lblPrizePool1, "lblPrizePool1"},
    {lblPrizePool2, "lblPrizePool2"},
    {lblSetup, "lblSetup"},
    {lblHelp, "lblHelp"},
    {lblClose, "lblClose"},
}};

constexpr bool inEnumerationOrder()
{
    for (size_t i = 0; i < Names.size(); ++i) {
        if (size_t(Names[i].first) != i) {
            return false;
        }
    }
    return true;
}
static_assert(inEnumerationOrder(), "one name per element, in the enumeration's order");

const QList<QString>& names()
{
    static const QList<QString> list = [] {
        QList<QString> result;
        for (const auto& entry : Names) {
            result.append(QString::fromLatin1(entry.second));
        }
        return result;
    }();
    return list;
}

} // namespace

QString screenElementName(ScreenElementId id)
{
    const int index = int(id);
    if (index < 0 || index >= ScreenElementCount) {
        throw ProgrammingError("no clock screen element " + std::to_string(index));
    }
    return names().at(index);
}

std::optional<ScreenElementId> screenElementByName(QStringView name)
{
    const qsizetype index = names().indexOf(name);
    if (index < 0) {
        return std::nullopt;
    }
    return ScreenElementId(index);
}

QString timerArrayName()
{
    return QStringLiteral("lblTimer");
}

ScreenElementId timerId(int index)
{
    if (index < 0 || index >= TimerDigitCount) {
        throw ProgrammingError("no clock digit " + std::to_string(index));
    }
    return ScreenElementId(int(lblTimer0) + index);
}

std::optional<int> timerIndex(ScreenElementId id)
{
    const int index = int(id) - int(lblTimer0);
    if (index < 0 || index >= TimerDigitCount) {
        return std::nullopt;
    }
    return index;
}
