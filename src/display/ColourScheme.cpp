#include "ColourScheme.h"

#include <array>

namespace {

struct SchemeRow
{
    const char* name;
    RgbColour digit;
    RgbColour alert;
    RgbColour back;
    RgbColour title;
    RgbColour highlight;
    bool fillsPanels;
};

constexpr RgbColour Fill{248, 248, 248};

constexpr std::array<SchemeRow, 6> Schemes{{
    {"White", {128, 0, 0}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}, {254, 255, 215}, false},
    {"Grey", {128, 0, 0}, {255, 128, 0}, {238, 232, 234}, {0, 0, 0}, {254, 255, 215}, false},
    {"Green", {255, 255, 0}, {192, 255, 192}, {124, 134, 55}, {255, 255, 255}, {254, 255, 215}, true},
    {"Blue", {255, 255, 128}, {128, 128, 128}, {0, 0, 128}, {224, 224, 224}, {255, 224, 192}, true},
    {"Purple", {192, 255, 255}, {128, 128, 128}, {128, 0, 128}, {255, 255, 255}, {255, 192, 255}, true},
    {"Black", {255, 255, 192}, {128, 128, 128}, {64, 64, 64}, {224, 224, 224}, {255, 224, 192}, true},
}};

} // namespace

QStringList ColourScheme::names()
{
    QStringList result;
    for (const SchemeRow& row : Schemes) {
        result.append(QString::fromLatin1(row.name));
    }
    return result;
}

void ColourScheme::choose(int colorStyle)
{
    PanelsVisible = true;
    PanelFillSolid = true;
    PanelBackOpaque = true;
    if (colorStyle < 0 || colorStyle >= int(Schemes.size())) {
        return;
    }
    const SchemeRow& row = Schemes[size_t(colorStyle)];
    DigitColour = row.digit;
    AlertColour = row.alert;
    BackColour = row.back;
    TitleColour = row.title;
    HighlightColour = row.highlight;
    if (row.fillsPanels) {
        PanelFillColour = Fill;
    }
    if (colorStyle == 0) {
        PanelsVisible = false;
    } else if (colorStyle == 1) {
        PanelFillSolid = false;
        PanelBackOpaque = false;
    }
}
