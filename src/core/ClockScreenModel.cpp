#include "ClockScreenModel.h"

#include "ClockScreenSizes.h"
#include "ProgrammingError.h"
#include "TextMeasurer.h"

namespace {

constexpr RgbColour Black{0, 0, 0};
constexpr RgbColour Grey{128, 128, 128};
constexpr RgbColour White{255, 255, 255};

ScreenElement text(ScreenElementId id, const char* caption, double size, RgbColour colour,
                   ScreenElement::Align align = ScreenElement::Align::Left)
{
    ScreenElement e;
    e.id = id;
    e.name = screenElementName(id);
    e.caption = QString::fromLatin1(caption);
    e.fontSize = size;
    e.foreColour = colour;
    e.align = align;
    return e;
}

ScreenElement fixedText(ScreenElementId id, const char* caption, double size, RgbColour colour,
                        ScreenElement::Align align, int width, int height)
{
    ScreenElement e = text(id, caption, size, colour, align);
    e.autoSize = false;
    e.width = width;
    e.height = height;
    return e;
}

ScreenElement commandButton(ScreenElementId id, const char* caption, const char* toolTip)
{
    ScreenElement e = fixedText(id, caption, 9, White, ScreenElement::Align::Centre, 320, 270);
    e.visible = false;
    e.opaque = true;
    e.backColour = RgbColour{0, 0, 255};
    e.bordered = true;
    e.borderColour = Black;
    e.toolTip = QString::fromLatin1(toolTip);
    return e;
}

ScreenElement shape(ScreenElementId id, bool rounded, int width, int height)
{
    ScreenElement e;
    e.id = id;
    e.name = screenElementName(id);
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
    using Id = ScreenElementId;
    using namespace ClockScreenSizes;

    // Panels first: they lie behind the text.
    add(shape(Id::shpLevel, false, LogoWidth, LogoHeight));
    add(shape(Id::shpBlinds, true, 5000, 1455));
    add(shape(Id::shpNext, true, 5000, 1095));
    add(shape(Id::Shape2, false, SidePanelWidth, 3000));
    add(shape(Id::Shape3, false, SidePanelWidth, 3000));
    ScreenElement& bar = add(shape(Id::Shape1, true, HighlightWidth, 300));
    bar.backColour = RgbColour{255, 224, 192};
    ScreenElement& backdrop = add(shape(Id::shpButton, true, 1200, 390));
    backdrop.visible = false;
    backdrop.backColour = White;

    ScreenElement logo;
    logo.id = Id::imgLogo;
    logo.name = screenElementName(logo.id);
    logo.kind = ScreenElement::Kind::Picture;
    logo.autoSize = false;
    logo.left = LogoLeft;
    logo.top = LogoTop;
    logo.width = LogoWidth;
    logo.height = LogoHeight;
    add(logo);

    ScreenElement title = text(Id::lblTitle, "", 36, RgbColour{224, 224, 224}, A::Centre);
    // Until the statistics fill it, the title shows what the designer left in it: its own name.
    title.caption = title.name;
    add(title);
    const char* digits[DigitCount] = {"0", "0", ":", "0", "0"};
    for (int i = 0; i < DigitCount; ++i) {
        ScreenElement digit = text(timerId(i), digits[i], 180, Grey);
        digit.top = DigitTop;
        add(digit);
    }
    ScreenElement paused = fixedText(Id::lblPaused, "PAUSED", 60, White, A::Centre, 7245, 1500);
    paused.opaque = true;
    paused.backColour = RgbColour{192, 0, 0};
    add(paused);
    ScreenElement breakNotice = text(Id::lblBreakNotice, "BREAK", 48, RgbColour{192, 64, 0});
    breakNotice.visible = false;
    add(breakNotice);
    add(text(Id::lblLevelCaption, "Level", 24, Grey));
    add(text(Id::lblLevel, "99", 48, RgbColour{64, 64, 64}, A::Right));
    add(text(Id::lblBlindsCaption, "Blinds:", 36, Black));
    add(text(Id::lblBlinds, "-/-", 36, Black));
    add(text(Id::lblAnteCaption, "Ante:", 21.75, Black));
    add(text(Id::lblAnte, "-", 21.75, Black));
    add(text(Id::lblNextLevelCaption, "Next:", 24, Black));
    add(text(Id::lblNextLevel, "-/-", 24, Black));
    add(text(Id::lblNextAnteCaption, "Ante:", 18, Black));
    add(text(Id::lblNextAnte, "-", 18, Black));
    add(text(Id::lblTotalTimeCaption, "Total Time:", 14.25, Grey));
    add(text(Id::lblTotalTime, "00:00", 21.75, Black));
    add(text(Id::lblBreakCaption, "Time to Break:", 14.25, Grey));
    add(text(Id::lblBreak, "01:00", 21.75, Black));
    add(text(Id::lblStackCaption, "Avg Stack:", 14.25, Grey));
    add(text(Id::lblStack, "1,000", 21.75, Black));
    add(text(Id::lblPlayersCaption, "Players:", 14.25, Grey));
    add(text(Id::lblPlayers, "200/200", 21.75, Black));
    add(text(Id::lblPrizeCaption, "Total Prize Pool:", 14.25, Grey));
    add(text(Id::lblPrize, "$100,000", 21.75, Black));
    add(text(Id::lblPrizes, "Prizes:", 14.25, Grey));
    add(fixedText(Id::lblPrizePool1, "", 20.25, Black, A::Left, PrizePlacesWidth, 2700));
    add(fixedText(Id::lblPrizePool2, "", 20.25, Black, A::Right, PrizeAmountsWidth, 2700));
    add(commandButton(Id::lblSetup, " S ", "Settings"));
    add(commandButton(Id::lblHelp, " ? ", "Help"));
    add(commandButton(Id::lblClose, " X ", "Close"));
}

QStringList ClockScreenModel::names() const
{
    QStringList result;
    for (const ScreenElement& e : m_elements) {
        result.append(e.name);
    }
    return result;
}

const ScreenElement& ClockScreenModel::element(ScreenElementId id) const
{
    const size_t index = size_t(id);
    if (index >= m_elements.size()) {
        throw ProgrammingError("no clock screen element " + std::to_string(int(id)));
    }
    return m_elements[index];
}

ScreenElement& ClockScreenModel::edit(ScreenElementId id)
{
    ScreenElement& e = const_cast<ScreenElement&>(element(id));
    ++e.revision;
    ++m_revision;
    if (changed) {
        changed();
    }
    return e;
}

ScreenElement& ClockScreenModel::add(ScreenElement element)
{
    if (size_t(element.id) != m_elements.size()) {
        throw ProgrammingError("clock screen element " + element.name.toStdString() + " out of order");
    }
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

void ClockScreenModel::setCaption(ScreenElementId id, const QString& caption)
{
    ScreenElement& e = const_cast<ScreenElement&>(element(id));
    if (e.caption == caption) {
        return;
    }
    const int oldWidth = e.width;
    edit(id).caption = caption;
    measure(e);
    // An auto-size text grows from its alignment: a centred one keeps its centre, a right-aligned one its
    // right edge, so "9" to "10" or a longer title does not shift the text sideways.
    if (e.kind == ScreenElement::Kind::Text && e.autoSize) {
        const int oldLeft = e.left;
        if (e.align == ScreenElement::Align::Centre) {
            e.left += oldWidth / 2 - e.width / 2;
        } else if (e.align == ScreenElement::Align::Right) {
            e.left += oldWidth - e.width;
        }
        if (e.left != oldLeft && realigned) {
            realigned(id);
        }
    }
}

void ClockScreenModel::setVisible(ScreenElementId id, bool visible)
{
    change(id, &ScreenElement::visible, visible);
}

void ClockScreenModel::setLeft(ScreenElementId id, int left)
{
    change(id, &ScreenElement::left, left);
}

void ClockScreenModel::setTop(ScreenElementId id, int top)
{
    change(id, &ScreenElement::top, top);
}

void ClockScreenModel::setWidth(ScreenElementId id, int width)
{
    change(id, &ScreenElement::width, width);
}

void ClockScreenModel::setHeight(ScreenElementId id, int height)
{
    change(id, &ScreenElement::height, height);
}

void ClockScreenModel::setForeColour(ScreenElementId id, RgbColour colour)
{
    change(id, &ScreenElement::foreColour, colour);
}

void ClockScreenModel::setBackColour(ScreenElementId id, RgbColour colour)
{
    change(id, &ScreenElement::backColour, colour);
}

void ClockScreenModel::setFillSolid(ScreenElementId id, bool solid)
{
    change(id, &ScreenElement::fillSolid, solid);
}

void ClockScreenModel::setOpaque(ScreenElementId id, bool opaque)
{
    change(id, &ScreenElement::opaque, opaque);
}

void ClockScreenModel::setFontSize(ScreenElementId id, double pointSize)
{
    if (element(id).fontSize == pointSize) {
        return;
    }
    ScreenElement& e = edit(id);
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
