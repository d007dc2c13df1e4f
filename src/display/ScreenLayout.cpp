#include "ScreenLayout.h"

#include "ColorStyle.h"
#include "ColourScheme.h"
#include "LayoutOverflow.h"
#include "core/ClockScreenModel.h"
#include "core/TextMeasurer.h"

#include <cmath>
#include <limits>

namespace {

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

QString n(const char* name)
{
    return QString::fromLatin1(name);
}

} // namespace

ScreenLayout::ScreenLayout(ClockScreenModel& screen, const ColourScheme& scheme)
    : m_screen(screen), m_scheme(scheme)
{}

qint16 ScreenLayout::MeasureTextCell(const QString& name) const
{
    const ScreenElement& e = m_screen.element(name);
    return int16(m_screen.measurer().measure(QStringLiteral(" "), e.fontSize, true).height());
}

int ScreenLayout::centred(const QString& name) const
{
    return half(m_screen.screenWidth()) - half(m_screen.element(name).width);
}

void ScreenLayout::panelAppearance(const QString& name)
{
    m_screen.setBackColour(name, m_scheme.PanelFillColour);
    m_screen.setFillSolid(name, m_scheme.PanelFillSolid);
    m_screen.setOpaque(name, m_scheme.PanelBackOpaque);
    m_screen.setVisible(name, m_scheme.PanelsVisible);
}

void ScreenLayout::LayoutScreen(qint16 prizeLineCount, qint16& textCellHeight)
{
    ClockScreenModel& s = m_screen;
    const auto e = [&s](const char* name) -> const ScreenElement& { return s.element(n(name)); };
    const auto place = [&s](const char* name, int left, int top) {
        s.setLeft(n(name), left);
        s.setTop(n(name), top);
    };
    const auto bottom = [&e](const char* name) { return e(name).top + e(name).height; };
    const auto right = [&e](const char* name) { return e(name).left + e(name).width; };
    const int inner = s.screenWidth();

    textCellHeight = MeasureTextCell(n("lblPrizePool1"));
    const qint16 h = textCellHeight;

    place("imgLogo", 200, 500);
    s.setHeight(n("imgLogo"), 1335);
    s.setWidth(n("imgLogo"), 2655);

    s.setTop(n("lblTitle"), 800);
    s.setLeft(n("lblTitle"), centred(n("lblTitle")));
    s.setForeColour(n("lblTitle"), m_scheme.TitleColour);

    s.setTop(n("shpLevel"), 500);
    s.setWidth(n("shpLevel"), 2655);
    s.setHeight(n("shpLevel"), 1335);
    s.setLeft(n("shpLevel"), inner - (2655 + 200));
    panelAppearance(n("shpLevel"));

    s.setTop(n("lblLevel"), 700);
    s.setLeft(n("lblLevel"), right("shpLevel") - e("lblLevel").width);
    place("lblLevelCaption", e("shpLevel").left + 50, e("shpLevel").top);

    int total = 0;
    for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
        s.setFontSize(ClockScreenModel::timerName(i), 150);
        total += s.timer(i).width + 100;
    }
    const QString first = ClockScreenModel::timerName(0);
    place("lblTimer0", half(inner) - total / 2, 1800);
    s.setForeColour(first, m_scheme.DigitColour);
    for (int i = 1; i < ClockScreenModel::DigitCount; ++i) {
        const QString name = ClockScreenModel::timerName(i);
        const ScreenElement& before = s.timer(i - 1);
        s.setLeft(name, before.left + before.width + 100);
        s.setTop(name, s.timer(0).top);
        s.setForeColour(name, s.timer(0).foreColour);
        s.setFontSize(name, s.timer(0).fontSize);
    }

    s.setTop(n("Shape1"), int16(2 * h + 4500));
    s.setHeight(n("Shape1"), h);
    s.setLeft(n("Shape1"), 250);
    s.setWidth(n("Shape1"), 3740);
    s.setBackColour(n("Shape1"), m_scheme.HighlightColour);
    s.setVisible(n("Shape1"), m_scheme.PanelsVisible);

    s.setTop(n("Shape2"), int16(h + 4400));
    s.setHeight(n("Shape2"), int16(int16(int16(prizeLineCount + 1) * h) + 100));
    s.setLeft(n("Shape2"), 100);
    s.setWidth(n("Shape2"), 4040);
    panelAppearance(n("Shape2"));

    place("lblPrizes", e("Shape2").left + 200, e("Shape2").top + 100);
    place("lblPrizePool1", e("Shape2").left + 200, int16(int16(e("Shape2").top + 100) + h));
    s.setWidth(n("lblPrizePool1"), 1800);
    s.setHeight(n("lblPrizePool1"), int16(prizeLineCount * h));
    place("lblPrizePool2", e("lblPrizePool1").left + 1200, e("lblPrizePool1").top);
    s.setWidth(n("lblPrizePool2"), 2440);
    s.setHeight(n("lblPrizePool2"), e("lblPrizePool1").height);

    s.setTop(n("Shape3"), e("Shape2").top);
    s.setWidth(n("Shape3"), 4040);
    s.setHeight(n("Shape3"), e("Shape2").height);
    s.setLeft(n("Shape3"), inner - (4040 + 100));
    panelAppearance(n("Shape3"));

    const int column = e("Shape3").left + 500;
    const auto pair = [&](const char* caption, const char* value, int top) {
        place(caption, column, top);
        place(value, column, bottom(caption));
    };
    pair("lblTotalTimeCaption", "lblTotalTime", e("Shape3").top + 100);
    pair("lblBreakCaption", "lblBreak", bottom("lblTotalTime") + 150);
    pair("lblStackCaption", "lblStack", bottom("lblBreak") + 150);
    pair("lblPlayersCaption", "lblPlayers", bottom("lblStack") + 150);
    pair("lblPrizeCaption", "lblPrize", bottom("lblPlayers") + 150);

    s.setWidth(n("shpBlinds"), e("lblBlinds").width + e("lblBlindsCaption").width + 900);
    s.setTop(n("shpBlinds"), 6720);
    s.setLeft(n("shpBlinds"), centred(n("shpBlinds")));
    panelAppearance(n("shpBlinds"));

    place("lblBlindsCaption", e("shpBlinds").left + 250, e("shpBlinds").top);
    place("lblBlinds", right("shpBlinds") - (e("lblBlinds").width + 250), e("shpBlinds").top);
    const int captionRight = right("lblBlindsCaption");
    place("lblAnteCaption", captionRight - e("lblAnteCaption").width,
          e("shpBlinds").top + e("lblBlindsCaption").height);
    place("lblAnte", e("lblBlinds").left, e("lblAnteCaption").top);
    s.setTop(n("lblBreakNotice"), e("lblBlindsCaption").top + 140);
    s.setLeft(n("lblBreakNotice"), centred(n("lblBreakNotice")));

    s.setWidth(n("shpNext"), e("shpBlinds").width);
    place("shpNext", e("shpBlinds").left, bottom("shpBlinds") + 500);
    panelAppearance(n("shpNext"));
    place("lblNextLevelCaption", captionRight - e("lblNextLevelCaption").width, e("shpNext").top);
    place("lblNextLevel", e("lblBlinds").left, e("lblNextLevelCaption").top);
    place("lblNextAnteCaption", captionRight - e("lblNextAnteCaption").width,
          e("shpNext").top + e("lblNextLevelCaption").height);
    place("lblNextAnte", e("lblBlinds").left, e("lblNextAnteCaption").top);
}
