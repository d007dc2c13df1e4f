#pragma once

class ClockScreenModel;
struct ColourScheme;

// Chooses the scheme of colorStyle and shows it: the window's background, the title's colour and the
// panels' visibility and fill. The digit and alert colours are for the level clock's next recolouring and
// the bar's colour and the panels' styles for the layout.
void ColorStyle(int colorStyle, ColourScheme& scheme, ClockScreenModel& screen);

// The panels behind the texts; the first-payout bar Shape1 keeps its own colour and styles.
inline constexpr const char* PanelNames[] = {"shpLevel", "Shape2", "Shape3", "shpBlinds", "shpNext"};
