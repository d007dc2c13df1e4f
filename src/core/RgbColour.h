#pragma once

#include <QString>

// A screen colour as red, green and blue, 0 to 255 each.
struct RgbColour
{
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const RgbColour&) const = default;

    // As a style sheet writes it: "rgb(0,0,128)".
    QString css() const { return QStringLiteral("rgb(%1,%2,%3)").arg(red).arg(green).arg(blue); }
};
