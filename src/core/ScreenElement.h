#pragma once

#include "RgbColour.h"
#include "ScreenElementId.h"

#include <QString>

// One element of the clock screen as the window shows it. Positions and sizes are twips in the window's
// client area. revision grows with every change, so the window redraws only what changed.
struct ScreenElement
{
    enum class Kind
    {
        Text,
        Shape,
        Picture
    };
    enum class Align
    {
        Left,
        Centre,
        Right
    };

    ScreenElementId id = ScreenElementId::shpLevel;
    // The element's name, for the window's label and for messages.
    QString name;
    Kind kind = Kind::Text;
    QString caption;
    bool visible = true;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    RgbColour foreColour;
    double fontSize = 0;
    bool autoSize = true;
    Align align = Align::Left;
    // Text elements: background drawn when opaque. Shapes: fill (when fillSolid) and border.
    bool opaque = false;
    RgbColour backColour{255, 255, 255};
    bool fillSolid = false;
    bool rounded = false;
    bool bordered = false;
    RgbColour borderColour{192, 192, 192};
    QString toolTip;

    int revision = 0;
};
