#pragma once

// The designed places and sizes, in twips, of the clock screen's elements that keep them at every window
// size: the screen model starts with them and the layout puts them back.
namespace ClockScreenSizes {

// The logo in the top left corner; the level panel mirrors it in the top right corner.
inline constexpr int LogoLeft = 200;
inline constexpr int LogoTop = 500;
inline constexpr int LogoWidth = 2655;
inline constexpr int LogoHeight = 1335;

inline constexpr int DigitTop = 1800;

// The prize pool panel on the left and the statistics panel on the right, and the highlight bar.
inline constexpr int SidePanelWidth = 4040;
inline constexpr int HighlightWidth = 3740;

// The prize pool's two columns: places and amounts.
inline constexpr int PrizePlacesWidth = 1800;
inline constexpr int PrizeAmountsWidth = 2440;

} // namespace ClockScreenSizes
