#pragma once

#include "core/RgbColour.h"

// The clock screen's current colours and panel flags, chosen by Color_Style from core/ColourSchemes.
struct ColourScheme
{
    static constexpr int DefaultStyle = 3;

    RgbColour DigitColour{255, 255, 128};
    RgbColour AlertColour{128, 128, 128};
    RgbColour BackColour{0, 0, 128};
    RgbColour TitleColour{224, 224, 224};
    RgbColour HighlightColour{255, 224, 192};
    RgbColour PanelFillColour{248, 248, 248};
    bool PanelsVisible = true;
    bool PanelFillSolid = true;
    bool PanelBackOpaque = true;

    // Takes the colours and flags of a scheme. A number without a scheme leaves every colour as it was;
    // the flags are set to shown, filled and opaque first whatever the number.
    void choose(int colorStyle);
};
