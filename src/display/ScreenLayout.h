#pragma once

#include "core/ScreenElementId.h"

#include <QString>
#include <QtGlobal>

class ClockScreenModel;
struct ColourScheme;

// Places and sizes every element of the clock screen, in twips, from a few anchors and the elements'
// current text-dependent sizes, and gives the digits, the title, the panels and the first-payout bar their
// scheme colours. The command buttons and PAUSED are placed by the screen's initialisation.
class ScreenLayout
{
public:
    ScreenLayout(ClockScreenModel& screen, const ColourScheme& scheme);

    // Height of one line of text (a blank) in the element's font.
    qint16 MeasureTextCell(ScreenElementId id) const;

    // Lays out the whole screen and sets textCellHeight. The payout sums are 16-bit: a line height above
    // 3,266 twips throws LayoutOverflow at the step that overflows, with the earlier steps done.
    void LayoutScreen(qint16 prizeLineCount, qint16& textCellHeight);

private:
    ClockScreenModel& m_screen;
    const ColourScheme& m_scheme;

    void panelAppearance(ScreenElementId id);
    int centred(ScreenElementId id) const;
};
