#include "ScreenJson.h"

#include "core/ClockScreenModel.h"
#include "platform/DesignUnits.h"

#include <QJsonArray>

namespace {

QString colourOf(RgbColour c)
{
    return ScreenJson::colour(c.red, c.green, c.blue);
}

const char* alignName(ScreenElement::Align align)
{
    switch (align) {
    case ScreenElement::Align::Centre:
        return "center";
    case ScreenElement::Align::Right:
        return "right";
    case ScreenElement::Align::Left:
        break;
    }
    return "left";
}

QJsonObject screenOf(const ClockScreenModel& model)
{
    QJsonArray elements;
    for (const ScreenElement& e : model.elements()) {
        // The logo is a file of the director's and the command buttons work only at the clock.
        if (e.kind == ScreenElement::Kind::Picture || e.toolTip.size() > 0 || !e.visible) {
            continue;
        }
        QJsonObject o{{QStringLiteral("name"), e.name},     {QStringLiteral("left"), e.left},
                      {QStringLiteral("top"), e.top},       {QStringLiteral("width"), e.width},
                      {QStringLiteral("height"), e.height}, {QStringLiteral("back"), colourOf(e.backColour)}};
        if (e.kind == ScreenElement::Kind::Shape) {
            o.insert(QStringLiteral("kind"), QStringLiteral("shape"));
            o.insert(QStringLiteral("fill"), e.fillSolid || e.opaque);
            o.insert(QStringLiteral("rounded"), e.rounded);
            if (e.bordered) {
                o.insert(QStringLiteral("border"), colourOf(e.borderColour));
            }
        } else {
            o.insert(QStringLiteral("kind"), QStringLiteral("text"));
            o.insert(QStringLiteral("caption"),
                     QString(e.caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            o.insert(QStringLiteral("size"), e.fontSize);
            o.insert(QStringLiteral("colour"), colourOf(e.foreColour));
            o.insert(QStringLiteral("align"), QLatin1String(alignName(e.align)));
            o.insert(QStringLiteral("middle"), e.autoSize);
            o.insert(QStringLiteral("opaque"), e.opaque);
        }
        elements.append(o);
    }
    return {{QStringLiteral("width"), model.screenWidth()},
            {QStringLiteral("height"), model.screenHeight()},
            {QStringLiteral("twips_per_pixel"), DesignUnits::TwipsPerPixel},
            {QStringLiteral("back"), colourOf(model.backColour())},
            {QStringLiteral("elements"), elements}};
}

} // namespace

QString ScreenJson::colour(int red, int green, int blue)
{
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'));
}

QJsonObject ScreenJson::fromModel(const ClockScreenModel& model)
{
    using Id = ScreenElementId;
    const ScreenElement& paused = model.element(Id::lblPaused);
    const QJsonObject colours{
        {QStringLiteral("background"), colourOf(model.backColour())},
        {QStringLiteral("digits"), colourOf(model.timer(0).foreColour)},
        {QStringLiteral("title"), colourOf(model.element(Id::lblTitle).foreColour)},
        {QStringLiteral("panel"), colourOf(model.element(Id::shpBlinds).backColour)},
        {QStringLiteral("panel_text"), colourOf(model.element(Id::lblBlinds).foreColour)},
        {QStringLiteral("caption"), colourOf(model.element(Id::lblStackCaption).foreColour)},
        {QStringLiteral("highlight"), colourOf(model.element(Id::Shape1).backColour)},
        {QStringLiteral("paused"), colourOf(paused.foreColour)},
        {QStringLiteral("paused_back"), colourOf(paused.backColour)},
        {QStringLiteral("break"), colourOf(model.element(Id::lblBreakNotice).foreColour)},
    };
    return {{QStringLiteral("screen"), screenOf(model)},
            {QStringLiteral("colours"), colours},
            {QStringLiteral("paused_text"), paused.caption},
            {QStringLiteral("break_text"), model.caption(Id::lblBreakNotice)}};
}
