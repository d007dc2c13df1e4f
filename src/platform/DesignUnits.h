#pragma once

// The dialogs and the clock screen are designed in twips, 1440 to the inch; at the 96 dots per inch they
// were drawn for that is 15 twips to a pixel.
namespace DesignUnits {

inline constexpr int TwipsPerPixel = 15;

// The nearest whole pixel, halves away from zero; every placement in twips goes through this one rounding.
constexpr int pixels(int twips)
{
    const int half = TwipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / TwipsPerPixel : -((-twips + half) / TwipsPerPixel);
}

// Twips per pixel at a display's logical dots per inch; the design's value when the display reports none.
constexpr double twipsPerPixel(double dotsPerInch)
{
    return dotsPerInch > 0 ? 1440.0 / dotsPerInch : double(TwipsPerPixel);
}

} // namespace DesignUnits
