#include "ColorStyle.h"

#include "ColourScheme.h"
#include "core/ClockScreenModel.h"

void ColorStyle(int colorStyle, ColourScheme& scheme, ClockScreenModel& screen)
{
    scheme.choose(colorStyle);
    screen.setBackColour(scheme.BackColour);
    screen.setForeColour(QStringLiteral("lblTitle"), scheme.TitleColour);
    screen.setVisible(QStringLiteral("Shape1"), scheme.PanelsVisible);
    for (const char* panel : PanelNames) {
        screen.setVisible(QLatin1String(panel), scheme.PanelsVisible);
        screen.setBackColour(QLatin1String(panel), scheme.PanelFillColour);
    }
}
