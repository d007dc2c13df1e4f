#include "ColourScheme.h"

#include "core/ColourSchemes.h"

namespace {

constexpr RgbColour Fill{248, 248, 248};

} // namespace

void ColourScheme::choose(int colorStyle)
{
    PanelsVisible = true;
    PanelFillSolid = true;
    PanelBackOpaque = true;
    if (colorStyle < 0 || colorStyle >= int(ColourSchemes::Rows.size())) {
        return;
    }
    const ColourSchemes::Row& row = ColourSchemes::Rows[size_t(colorStyle)];
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
