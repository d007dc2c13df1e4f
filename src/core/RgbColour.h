#pragma once

// A screen colour as red, green and blue, 0 to 255 each.
struct RgbColour
{
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const RgbColour&) const = default;
};
