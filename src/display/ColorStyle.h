#pragma once

#include "core/ScreenElementId.h"

class ClockScreenModel;
struct ColourScheme;

// Chooses the scheme of colorStyle and shows it: the window's background, the title's colour and the
// panels' visibility and fill. The digit and alert colours are for the level clock's next recolouring and
// the bar's colour and the panels' styles for the layout.
void ColorStyle(int colorStyle, ColourScheme& scheme, ClockScreenModel& screen);

// The panels behind the texts; the first-payout bar Shape1 keeps its own colour and styles.
inline constexpr ScreenElementId Panels[] = {ScreenElementId::shpLevel, ScreenElementId::Shape2,
                                             ScreenElementId::Shape3, ScreenElementId::shpBlinds,
                                             ScreenElementId::shpNext};
