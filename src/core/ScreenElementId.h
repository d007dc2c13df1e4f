#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The elements of the clock screen, in the order they are created and painted (panels first, behind the
// texts). Their names, which the window gives its labels, are in one table: screenElementName.
enum class ScreenElementId
{
    shpLevel,
    shpBlinds,
    shpNext,
    Shape2,
    Shape3,
    Shape1,
    shpButton,
    imgLogo,
    lblTitle,
    lblTimer0,
    lblTimer1,
    lblTimer2,
    lblTimer3,
    lblTimer4,
    lblPaused,
    lblBreakNotice,
    lblLevelCaption,
    lblLevel,
    lblBlindsCaption,
    lblBlinds,
    lblAnteCaption,
    lblAnte,
    lblNextLevelCaption,
    lblNextLevel,
    lblNextAnteCaption,
    lblNextAnte,
    lblTotalTimeCaption,
    lblTotalTime,
    lblBreakCaption,
    lblBreak,
    lblStackCaption,
    lblStack,
    lblPlayersCaption,
    lblPlayers,
    lblPrizeCaption,
    lblPrize,
    lblPrizes,
    lblPrizePool1,
    lblPrizePool2,
    lblSetup,
    lblHelp,
    lblClose
};

inline constexpr int ScreenElementCount = int(ScreenElementId::lblClose) + 1;
// The clock digits lblTimer0 to lblTimer4, one control array.
inline constexpr int TimerDigitCount = 5;

// The element's name; throws ProgrammingError for a value outside the enumeration.
QString screenElementName(ScreenElementId id);
// The element of that name (case counts), nothing when there is none.
std::optional<ScreenElementId> screenElementByName(QStringView name);
// The name of the digits' control array, lblTimer.
QString timerArrayName();

// Digit cell index (0 to 4); throws ProgrammingError outside them.
ScreenElementId timerId(int index);
// The cell index of a digit, nothing for any other element.
std::optional<int> timerIndex(ScreenElementId id);
