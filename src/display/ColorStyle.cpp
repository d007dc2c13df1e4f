#include "ColorStyle.h"

#include "ColourScheme.h"
#include "core/ClockScreenModel.h"

void ColorStyle(int colorStyle, ColourScheme& scheme, ClockScreenModel& screen)
{
    scheme.choose(colorStyle);
    screen.setBackColour(scheme.BackColour);
    screen.setForeColour(ScreenElementId::lblTitle, scheme.TitleColour);
    screen.setVisible(ScreenElementId::Shape1, scheme.PanelsVisible);
    for (const ScreenElementId panel : Panels) {
        screen.setVisible(panel, scheme.PanelsVisible);
        screen.setBackColour(panel, scheme.PanelFillColour);
    }
}
