#include "ProvisionalLayout.h"

#include "ClockScreenModel.h"
#include "TextMeasurer.h"

namespace {

class Placer
{
public:
    explicit Placer(ClockScreenModel& screen) : m_screen(screen) {}

    const ScreenElement& operator[](const char* name) const
    {
        return m_screen.element(QString::fromLatin1(name));
    }

    void place(const char* name, int left, int top)
    {
        m_screen.setLeft(QString::fromLatin1(name), left);
        m_screen.setTop(QString::fromLatin1(name), top);
    }
    void size(const char* name, int width, int height)
    {
        m_screen.setWidth(QString::fromLatin1(name), width);
        m_screen.setHeight(QString::fromLatin1(name), height);
    }
    int centred(const char* name) const { return m_screen.screenWidth() / 2 - (*this)[name].width / 2; }
    int bottom(const char* name) const { return (*this)[name].top + (*this)[name].height; }
    int right(const char* name) const { return (*this)[name].left + (*this)[name].width; }

    // A caption with its value directly under it.
    void pair(const char* caption, const char* value, int left, int top)
    {
        place(caption, left, top);
        place(value, left, bottom(caption));
    }

private:
    ClockScreenModel& m_screen;
};

} // namespace

int ProvisionalLayout::apply(ClockScreenModel& screen, RgbColour digitColour, int prizeLineCount)
{
    Placer p(screen);
    const int inner = screen.screenWidth();
    const int line =
        screen.measurer().measure(QStringLiteral(" "), p["lblPrizePool1"].fontSize, true).height();

    p.place("imgLogo", 200, 500);
    p.size("imgLogo", 2655, 1335);
    p.place("lblTitle", p.centred("lblTitle"), 800);

    p.size("shpLevel", 2655, 1335);
    p.place("shpLevel", inner - (2655 + 200), 500);
    p.place("lblLevel", p.right("shpLevel") - p["lblLevel"].width, 700);
    p.place("lblLevelCaption", p["shpLevel"].left + 50, p["shpLevel"].top);

    int total = 0;
    for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
        screen.setFontSize(ClockScreenModel::timerName(i), 150);
        screen.setForeColour(ClockScreenModel::timerName(i), digitColour);
        total += screen.timer(i).width + 100;
    }
    screen.setLeft(ClockScreenModel::timerName(0), inner / 2 - total / 2);
    for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
        const QString name = ClockScreenModel::timerName(i);
        if (i > 0) {
            screen.setLeft(name, screen.timer(i - 1).left + screen.timer(i - 1).width + 100);
        }
        screen.setTop(name, 1800);
    }

    p.place("Shape1", 250, 2 * line + 4500);
    p.size("Shape1", 3740, line);
    p.place("Shape2", 100, line + 4400);
    p.size("Shape2", 4040, (prizeLineCount + 1) * line + 100);
    p.place("lblPrizes", p["Shape2"].left + 200, p["Shape2"].top + 100);
    p.place("lblPrizePool1", p["Shape2"].left + 200, p["Shape2"].top + 100 + line);
    p.size("lblPrizePool1", 1800, prizeLineCount * line);
    p.place("lblPrizePool2", p["lblPrizePool1"].left + 1200, p["lblPrizePool1"].top);
    p.size("lblPrizePool2", 2440, p["lblPrizePool1"].height);

    p.size("Shape3", 4040, p["Shape2"].height);
    p.place("Shape3", inner - (4040 + 100), p["Shape2"].top);
    const int column = p["Shape3"].left + 500;
    p.pair("lblTotalTimeCaption", "lblTotalTime", column, p["Shape3"].top + 100);
    p.pair("lblBreakCaption", "lblBreak", column, p.bottom("lblTotalTime") + 150);
    p.pair("lblStackCaption", "lblStack", column, p.bottom("lblBreak") + 150);
    p.pair("lblPlayersCaption", "lblPlayers", column, p.bottom("lblStack") + 150);
    p.pair("lblPrizeCaption", "lblPrize", column, p.bottom("lblPlayers") + 150);

    p.size("shpBlinds", p["lblBlinds"].width + p["lblBlindsCaption"].width + 900, p["shpBlinds"].height);
    p.place("shpBlinds", p.centred("shpBlinds"), 6720);
    const int blindsTop = p["shpBlinds"].top;
    p.place("lblBlindsCaption", p["shpBlinds"].left + 250, blindsTop);
    p.place("lblBlinds", p.right("shpBlinds") - (p["lblBlinds"].width + 250), blindsTop);
    const int captionRight = p.right("lblBlindsCaption");
    const int valueLeft = p["lblBlinds"].left;
    p.place("lblAnteCaption", captionRight - p["lblAnteCaption"].width,
            blindsTop + p["lblBlindsCaption"].height);
    p.place("lblAnte", valueLeft, p["lblAnteCaption"].top);
    p.place("lblBreakNotice", p.centred("lblBreakNotice"), blindsTop + 140);

    p.size("shpNext", p["shpBlinds"].width, p["shpNext"].height);
    p.place("shpNext", p["shpBlinds"].left, p.bottom("shpBlinds") + 500);
    const int nextTop = p["shpNext"].top;
    p.place("lblNextLevelCaption", captionRight - p["lblNextLevelCaption"].width, nextTop);
    p.place("lblNextLevel", valueLeft, nextTop);
    p.place("lblNextAnteCaption", captionRight - p["lblNextAnteCaption"].width,
            nextTop + p["lblNextLevelCaption"].height);
    p.place("lblNextAnte", valueLeft, p["lblNextAnteCaption"].top);
    return line;
}
