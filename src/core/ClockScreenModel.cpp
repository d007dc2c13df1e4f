#include "ClockScreenModel.h"

#include "TextMeasurer.h"

#include <stdexcept>

namespace {

constexpr RgbColour Black{0, 0, 0};
constexpr RgbColour Grey{128, 128, 128};
constexpr RgbColour White{255, 255, 255};

ScreenElement text(const char* name, const char* caption, double size, RgbColour colour,
                   ScreenElement::Align align = ScreenElement::Align::Left)
{
    ScreenElement e;
    e.name = QString::fromLatin1(name);
    e.caption = QString::fromLatin1(caption);
    e.fontSize = size;
    e.foreColour = colour;
    e.align = align;
    return e;
}

ScreenElement fixedText(const char* name, const char* caption, double size, RgbColour colour,
                        ScreenElement::Align align, int width, int height)
{
    ScreenElement e = text(name, caption, size, colour, align);
    e.autoSize = false;
    e.width = width;
    e.height = height;
    return e;
}

ScreenElement commandButton(const char* name, const char* caption, const char* toolTip)
{
    ScreenElement e = fixedText(name, caption, 9, White, ScreenElement::Align::Centre, 320, 270);
    e.visible = false;
    e.opaque = true;
    e.backColour = RgbColour{0, 0, 255};
    e.bordered = true;
    e.borderColour = Black;
    e.toolTip = QString::fromLatin1(toolTip);
    return e;
}

ScreenElement shape(const char* name, bool rounded, int width, int height)
{
    ScreenElement e;
    e.name = QString::fromLatin1(name);
    e.kind = ScreenElement::Kind::Shape;
    e.autoSize = false;
    e.rounded = rounded;
    e.width = width;
    e.height = height;
    e.fillSolid = true;
    e.opaque = true;
    e.bordered = true;
    e.backColour = RgbColour{248, 248, 248};
    return e;
}

} // namespace

ClockScreenModel::ClockScreenModel(const TextMeasurer& measurer) : m_measurer(measurer)
{
    using A = ScreenElement::Align;

    // Panels first: they lie behind the text.
    add(shape("shpLevel", false, 2655, 1335));
    add(shape("shpBlinds", true, 5000, 1455));
    add(shape("shpNext", true, 5000, 1095));
    add(shape("Shape2", false, 4040, 3000));
    add(shape("Shape3", false, 4040, 3000));
    ScreenElement& bar = add(shape("Shape1", true, 3740, 300));
    bar.backColour = RgbColour{255, 224, 192};
    ScreenElement& backdrop = add(shape("shpButton", true, 1200, 390));
    backdrop.visible = false;
    backdrop.backColour = White;

    ScreenElement logo;
    logo.name = QStringLiteral("imgLogo");
    logo.kind = ScreenElement::Kind::Picture;
    logo.autoSize = false;
    logo.left = 200;
    logo.top = 500;
    logo.width = 2655;
    logo.height = 1335;
    add(logo);

    add(text("lblTitle", "lblTitle", 36, RgbColour{224, 224, 224}, A::Centre));
    const char* digits[DigitCount] = {"0", "0", ":", "0", "0"};
    for (int i = 0; i < DigitCount; ++i) {
        ScreenElement digit = text("", digits[i], 180, Grey);
        digit.name = timerName(i);
        digit.top = 1800;
        add(digit);
    }
    ScreenElement paused = fixedText("lblPaused", "PAUSED", 60, White, A::Centre, 7245, 1500);
    paused.opaque = true;
    paused.backColour = RgbColour{192, 0, 0};
    add(paused);
    ScreenElement breakNotice = text("lblBreakNotice", "BREAK", 48, RgbColour{192, 64, 0});
    breakNotice.visible = false;
    add(breakNotice);
    add(text("lblLevelCaption", "Level", 24, Grey));
    add(text("lblLevel", "99", 48, RgbColour{64, 64, 64}, A::Right));
    add(text("lblBlindsCaption", "Blinds:", 36, Black));
    add(text("lblBlinds", "-/-", 36, Black));
    add(text("lblAnteCaption", "Ante:", 21.75, Black));
    add(text("lblAnte", "-", 21.75, Black));
    add(text("lblNextLevelCaption", "Next:", 24, Black));
    add(text("lblNextLevel", "-/-", 24, Black));
    add(text("lblNextAnteCaption", "Ante:", 18, Black));
    add(text("lblNextAnte", "-", 18, Black));
    add(text("lblTotalTimeCaption", "Total Time:", 14.25, Grey));
    add(text("lblTotalTime", "00:00", 21.75, Black));
    add(text("lblBreakCaption", "Time to Break:", 14.25, Grey));
    add(text("lblBreak", "01:00", 21.75, Black));
    add(text("lblStackCaption", "Avg Stack:", 14.25, Grey));
    add(text("lblStack", "1,000", 21.75, Black));
    add(text("lblPlayersCaption", "Players:", 14.25, Grey));
    add(text("lblPlayers", "200/200", 21.75, Black));
    add(text("lblPrizeCaption", "Total Prize Pool:", 14.25, Grey));
    add(text("lblPrize", "$100,000", 21.75, Black));
    add(text("lblPrizes", "Prizes:", 14.25, Grey));
    add(fixedText("lblPrizePool1", "", 20.25, Black, A::Left, 1800, 2700));
    add(fixedText("lblPrizePool2", "", 20.25, Black, A::Right, 2440, 2700));
    add(commandButton("lblSetup", " S ", "Settings"));
    add(commandButton("lblHelp", " ? ", "Help"));
    add(commandButton("lblClose", " X ", "Close"));
}

QStringList ClockScreenModel::names() const
{
    QStringList result;
    for (const ScreenElement& e : m_elements) {
        result.append(e.name);
    }
    return result;
}

const ScreenElement& ClockScreenModel::element(const QString& name) const
{
    const auto it = m_index.constFind(name);
    if (it == m_index.constEnd()) {
        throw std::out_of_range("no clock screen element " + name.toStdString());
    }
    return m_elements[size_t(*it)];
}

ScreenElement& ClockScreenModel::edit(const QString& name)
{
    ScreenElement& e = const_cast<ScreenElement&>(element(name));
    ++e.revision;
    ++m_revision;
    if (changed) {
        changed();
    }
    return e;
}

ScreenElement& ClockScreenModel::add(ScreenElement element)
{
    m_index.insert(element.name, int(m_elements.size()));
    m_elements.push_back(std::move(element));
    ScreenElement& e = m_elements.back();
    measure(e);
    return e;
}

void ClockScreenModel::measure(ScreenElement& element)
{
    if (element.kind != ScreenElement::Kind::Text || !element.autoSize) {
        return;
    }
    const QSize size = m_measurer.measure(element.caption, element.fontSize, true);
    element.width = size.width();
    element.height = size.height();
}

void ClockScreenModel::setCaption(const QString& name, const QString& caption)
{
    ScreenElement& e = const_cast<ScreenElement&>(element(name));
    ++e.captionWrites;
    if (e.caption == caption) {
        return;
    }
    edit(name).caption = caption;
    measure(e);
}

void ClockScreenModel::setVisible(const QString& name, bool visible)
{
    change(name, &ScreenElement::visible, visible);
}

void ClockScreenModel::setLeft(const QString& name, int left)
{
    ++const_cast<ScreenElement&>(element(name)).moves;
    change(name, &ScreenElement::left, left);
}

void ClockScreenModel::setTop(const QString& name, int top)
{
    ++const_cast<ScreenElement&>(element(name)).moves;
    change(name, &ScreenElement::top, top);
}

void ClockScreenModel::setWidth(const QString& name, int width)
{
    change(name, &ScreenElement::width, width);
}

void ClockScreenModel::setHeight(const QString& name, int height)
{
    change(name, &ScreenElement::height, height);
}

void ClockScreenModel::setForeColour(const QString& name, RgbColour colour)
{
    change(name, &ScreenElement::foreColour, colour);
}

void ClockScreenModel::setBackColour(const QString& name, RgbColour colour)
{
    change(name, &ScreenElement::backColour, colour);
}

void ClockScreenModel::setFillSolid(const QString& name, bool solid)
{
    change(name, &ScreenElement::fillSolid, solid);
}

void ClockScreenModel::setOpaque(const QString& name, bool opaque)
{
    change(name, &ScreenElement::opaque, opaque);
}

void ClockScreenModel::setFontSize(const QString& name, double pointSize)
{
    if (element(name).fontSize == pointSize) {
        return;
    }
    ScreenElement& e = edit(name);
    e.fontSize = pointSize;
    measure(e);
}

void ClockScreenModel::setScreenSize(int width, int height)
{
    m_screenWidth = width;
    m_screenHeight = height;
    ++m_revision;
    if (changed) {
        changed();
    }
}
