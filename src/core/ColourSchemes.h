#pragma once

#include "RgbColour.h"

#include <QStringList>
#include <array>

// The clock screen's colour schemes in Color_Style order: the screen takes its colours from here, the
// settings dialog its list of names and the swatch beside it (the background colour).
struct ColourSchemes
{
    struct Row
    {
        const char* name;
        RgbColour digit;
        RgbColour alert;
        RgbColour back;
        RgbColour title;
        RgbColour highlight;
        bool fillsPanels;
    };

    static constexpr std::array<Row, 6> Rows{{
        {"White", {128, 0, 0}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}, {254, 255, 215}, false},
        {"Grey", {128, 0, 0}, {255, 128, 0}, {238, 232, 234}, {0, 0, 0}, {254, 255, 215}, false},
        {"Green", {255, 255, 0}, {192, 255, 192}, {124, 134, 55}, {255, 255, 255}, {254, 255, 215}, true},
        {"Blue", {255, 255, 128}, {128, 128, 128}, {0, 0, 128}, {224, 224, 224}, {255, 224, 192}, true},
        {"Purple", {192, 255, 255}, {128, 128, 128}, {128, 0, 128}, {255, 255, 255}, {255, 192, 255}, true},
        {"Black", {255, 255, 192}, {128, 128, 128}, {64, 64, 64}, {224, 224, 224}, {255, 224, 192}, true},
    }};

    static QStringList names();
};
