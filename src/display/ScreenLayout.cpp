#include "ScreenLayout.h"

#include "ColorStyle.h"
#include "ColourScheme.h"
#include "LayoutOverflow.h"
#include "core/ClockScreenModel.h"
#include "core/ClockScreenSizes.h"
#include "core/TextMeasurer.h"

#include <cmath>
#include <limits>

namespace {

using Id = ScreenElementId;
using namespace ClockScreenSizes;

// The payout sums are kept in 16 bits like the line height they come from.
qint16 int16(long long value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max()) {
        throw LayoutOverflow();
    }
    return qint16(value);
}

// Halves a size for centring: rounded to a whole number (halves to even), then the fraction dropped.
int half(double value)
{
    return int(std::nearbyint(value)) / 2;
}

} // namespace

ScreenLayout::ScreenLayout(ClockScreenModel& screen, const ColourScheme& scheme)
    : m_screen(screen), m_scheme(scheme)
{}

qint16 ScreenLayout::MeasureTextCell(ScreenElementId id) const
{
    const ScreenElement& e = m_screen.element(id);
    return int16(m_screen.measurer().measure(QStringLiteral(" "), e.fontSize, true).height());
}

int ScreenLayout::centred(ScreenElementId id) const
{
    return half(m_screen.screenWidth()) - half(m_screen.element(id).width);
}

void ScreenLayout::panelAppearance(ScreenElementId id)
{
    m_screen.setBackColour(id, m_scheme.PanelFillColour);
    m_screen.setFillSolid(id, m_scheme.PanelFillSolid);
    m_screen.setOpaque(id, m_scheme.PanelBackOpaque);
    m_screen.setVisible(id, m_scheme.PanelsVisible);
}

void ScreenLayout::LayoutScreen(qint16 prizeLineCount, qint16& textCellHeight)
{
    ClockScreenModel& s = m_screen;
    const auto e = [&s](Id id) -> const ScreenElement& { return s.element(id); };
    const auto place = [&s](Id id, int left, int top) {
        s.setLeft(id, left);
        s.setTop(id, top);
    };
    const auto bottom = [&e](Id id) { return e(id).top + e(id).height; };
    const auto right = [&e](Id id) { return e(id).left + e(id).width; };
    const int inner = s.screenWidth();

    textCellHeight = MeasureTextCell(Id::lblPrizePool1);
    const qint16 h = textCellHeight;

    place(Id::imgLogo, LogoLeft, LogoTop);
    s.setHeight(Id::imgLogo, LogoHeight);
    s.setWidth(Id::imgLogo, LogoWidth);

    s.setTop(Id::lblTitle, 800);
    s.setLeft(Id::lblTitle, centred(Id::lblTitle));
    s.setForeColour(Id::lblTitle, m_scheme.TitleColour);

    s.setTop(Id::shpLevel, LogoTop);
    s.setWidth(Id::shpLevel, LogoWidth);
    s.setHeight(Id::shpLevel, LogoHeight);
    s.setLeft(Id::shpLevel, inner - (LogoWidth + LogoLeft));
    panelAppearance(Id::shpLevel);

    s.setTop(Id::lblLevel, 700);
    s.setLeft(Id::lblLevel, right(Id::shpLevel) - e(Id::lblLevel).width);
    place(Id::lblLevelCaption, e(Id::shpLevel).left + 50, e(Id::shpLevel).top);

    int total = 0;
    for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
        s.setFontSize(timerId(i), 150);
        total += s.timer(i).width + 100;
    }
    const Id first = timerId(0);
    place(Id::lblTimer0, half(inner) - total / 2, DigitTop);
    s.setForeColour(first, m_scheme.DigitColour);
    for (int i = 1; i < ClockScreenModel::DigitCount; ++i) {
        const Id name = timerId(i);
        const ScreenElement& before = s.timer(i - 1);
        s.setLeft(name, before.left + before.width + 100);
        s.setTop(name, s.timer(0).top);
        s.setForeColour(name, s.timer(0).foreColour);
        s.setFontSize(name, s.timer(0).fontSize);
    }

    s.setTop(Id::Shape1, int16(2 * h + 4500));
    s.setHeight(Id::Shape1, h);
    s.setLeft(Id::Shape1, 250);
    s.setWidth(Id::Shape1, HighlightWidth);
    s.setBackColour(Id::Shape1, m_scheme.HighlightColour);
    s.setVisible(Id::Shape1, m_scheme.PanelsVisible);

    s.setTop(Id::Shape2, int16(h + 4400));
    s.setHeight(Id::Shape2, int16(int16(int16(prizeLineCount + 1) * h) + 100));
    s.setLeft(Id::Shape2, 100);
    s.setWidth(Id::Shape2, SidePanelWidth);
    panelAppearance(Id::Shape2);

    place(Id::lblPrizes, e(Id::Shape2).left + 200, e(Id::Shape2).top + 100);
    place(Id::lblPrizePool1, e(Id::Shape2).left + 200, int16(int16(e(Id::Shape2).top + 100) + h));
    s.setWidth(Id::lblPrizePool1, PrizePlacesWidth);
    s.setHeight(Id::lblPrizePool1, int16(prizeLineCount * h));
    place(Id::lblPrizePool2, e(Id::lblPrizePool1).left + 1200, e(Id::lblPrizePool1).top);
    s.setWidth(Id::lblPrizePool2, PrizeAmountsWidth);
    s.setHeight(Id::lblPrizePool2, e(Id::lblPrizePool1).height);

    s.setTop(Id::Shape3, e(Id::Shape2).top);
    s.setWidth(Id::Shape3, SidePanelWidth);
    s.setHeight(Id::Shape3, e(Id::Shape2).height);
    s.setLeft(Id::Shape3, inner - (SidePanelWidth + 100));
    panelAppearance(Id::Shape3);

    const int column = e(Id::Shape3).left + 500;
    const auto pair = [&](Id caption, Id value, int top) {
        place(caption, column, top);
        place(value, column, bottom(caption));
    };
    pair(Id::lblTotalTimeCaption, Id::lblTotalTime, e(Id::Shape3).top + 100);
    pair(Id::lblBreakCaption, Id::lblBreak, bottom(Id::lblTotalTime) + 150);
    pair(Id::lblStackCaption, Id::lblStack, bottom(Id::lblBreak) + 150);
    pair(Id::lblPlayersCaption, Id::lblPlayers, bottom(Id::lblStack) + 150);
    pair(Id::lblPrizeCaption, Id::lblPrize, bottom(Id::lblPlayers) + 150);

    s.setWidth(Id::shpBlinds, e(Id::lblBlinds).width + e(Id::lblBlindsCaption).width + 900);
    s.setTop(Id::shpBlinds, 6720);
    s.setLeft(Id::shpBlinds, centred(Id::shpBlinds));
    panelAppearance(Id::shpBlinds);

    place(Id::lblBlindsCaption, e(Id::shpBlinds).left + 250, e(Id::shpBlinds).top);
    place(Id::lblBlinds, right(Id::shpBlinds) - (e(Id::lblBlinds).width + 250), e(Id::shpBlinds).top);
    const int captionRight = right(Id::lblBlindsCaption);
    place(Id::lblAnteCaption, captionRight - e(Id::lblAnteCaption).width,
          e(Id::shpBlinds).top + e(Id::lblBlindsCaption).height);
    place(Id::lblAnte, e(Id::lblBlinds).left, e(Id::lblAnteCaption).top);
    s.setTop(Id::lblBreakNotice, e(Id::lblBlindsCaption).top + 140);
    s.setLeft(Id::lblBreakNotice, centred(Id::lblBreakNotice));

    s.setWidth(Id::shpNext, e(Id::shpBlinds).width);
    place(Id::shpNext, e(Id::shpBlinds).left, bottom(Id::shpBlinds) + 500);
    panelAppearance(Id::shpNext);
    place(Id::lblNextLevelCaption, captionRight - e(Id::lblNextLevelCaption).width, e(Id::shpNext).top);
    place(Id::lblNextLevel, e(Id::lblBlinds).left, e(Id::lblNextLevelCaption).top);
    place(Id::lblNextAnteCaption, captionRight - e(Id::lblNextAnteCaption).width,
          e(Id::shpNext).top + e(Id::lblNextLevelCaption).height);
    place(Id::lblNextAnte, e(Id::lblBlinds).left, e(Id::lblNextAnteCaption).top);
}
