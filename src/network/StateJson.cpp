#include "StateJson.h"

#include "core/ClockScreenModel.h"

#include <QJsonDocument>
#include <QSet>
#include <algorithm>

namespace {

QString caption(const ClockScreenModel& model, ScreenElementId id)
{
    return model.caption(id);
}

QString colourOf(RgbColour c)
{
    return StateJson::colour(c.red, c.green, c.blue);
}

QStringList lines(const QString& column)
{
    QString text = column;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList result = text.split(u'\n');
    while (!result.isEmpty() && result.last().trimmed().isEmpty()) {
        result.removeLast();
    }
    return result;
}

// "12th" and "4-6" start at 12 and 4.
int firstPlace(const QString& place)
{
    int number = 0;
    for (const QChar c : place) {
        if (!c.isDigit()) {
            break;
        }
        number = number * 10 + c.digitValue();
        if (number > 1000000) {
            break;
        }
    }
    return number;
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
            {QStringLiteral("back"), colourOf(model.backColour())},
            {QStringLiteral("elements"), elements}};
}

} // namespace

QString StateJson::colour(int red, int green, int blue)
{
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'));
}

QJsonArray StateJson::payouts(const QString& placesColumn, const QString& amountsColumn)
{
    const QStringList places = lines(placesColumn);
    const QStringList amounts = lines(amountsColumn);
    struct Line
    {
        int start;
        QString place;
        QString amount;
    };
    std::vector<Line> found;
    QSet<QString> seen;
    for (qsizetype i = 0; i < places.size(); ++i) {
        const QString place = places[i].trimmed();
        if (place.isEmpty() || seen.contains(place)) {
            continue;
        }
        seen.insert(place);
        found.push_back({firstPlace(place), place, i < amounts.size() ? amounts[i].trimmed() : QString()});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Line& a, const Line& b) { return a.start < b.start; });
    QJsonArray result;
    for (const Line& line : found) {
        result.append(
            QJsonObject{{QStringLiteral("place"), line.place}, {QStringLiteral("amount"), line.amount}});
    }
    return result;
}

QJsonObject StateJson::fromModel(const ClockScreenModel& model)
{
    QString time;
    for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
        time += model.timer(i).caption;
    }
    const QString shownPlayers = caption(model, ScreenElementId::lblPlayers);
    const qsizetype slash = shownPlayers.indexOf(u'/');
    const QString players = (slash < 0 ? shownPlayers : shownPlayers.left(slash)).trimmed();
    const QString entries = slash < 0 ? QString() : shownPlayers.mid(slash + 1).trimmed();
    const ScreenElement& paused = model.element(ScreenElementId::lblPaused);
    const ScreenElement& blindsPanel = model.element(ScreenElementId::shpBlinds);
    const QJsonObject colours{
        {QStringLiteral("background"), colourOf(model.backColour())},
        {QStringLiteral("digits"), colourOf(model.timer(0).foreColour)},
        {QStringLiteral("title"), colourOf(model.element(ScreenElementId::lblTitle).foreColour)},
        {QStringLiteral("panel"), colourOf(blindsPanel.backColour)},
        {QStringLiteral("panel_text"), colourOf(model.element(ScreenElementId::lblBlinds).foreColour)},
        {QStringLiteral("caption"), colourOf(model.element(ScreenElementId::lblStackCaption).foreColour)},
        {QStringLiteral("highlight"), colourOf(model.element(ScreenElementId::Shape1).backColour)},
        {QStringLiteral("paused"), colourOf(paused.foreColour)},
        {QStringLiteral("paused_back"), colourOf(paused.backColour)},
        {QStringLiteral("break"), colourOf(model.element(ScreenElementId::lblBreakNotice).foreColour)},
    };
    return {
        {QStringLiteral("title"), caption(model, ScreenElementId::lblTitle)},
        {QStringLiteral("level"), caption(model, ScreenElementId::lblLevel)},
        {QStringLiteral("time"), time},
        {QStringLiteral("paused"), paused.visible},
        {QStringLiteral("paused_text"), paused.caption},
        {QStringLiteral("break"), model.isVisible(ScreenElementId::lblBreakNotice)},
        {QStringLiteral("break_text"), caption(model, ScreenElementId::lblBreakNotice)},
        {QStringLiteral("blinds"), caption(model, ScreenElementId::lblBlinds)},
        {QStringLiteral("ante"), caption(model, ScreenElementId::lblAnte)},
        {QStringLiteral("next_blinds"), caption(model, ScreenElementId::lblNextLevel)},
        {QStringLiteral("next_ante"), caption(model, ScreenElementId::lblNextAnte)},
        {QStringLiteral("players"), players},
        {QStringLiteral("entries"), entries},
        {QStringLiteral("average_stack"), caption(model, ScreenElementId::lblStack)},
        {QStringLiteral("prize_pool"), caption(model, ScreenElementId::lblPrize)},
        {QStringLiteral("time_to_break"), caption(model, ScreenElementId::lblBreak)},
        {QStringLiteral("total_time"), caption(model, ScreenElementId::lblTotalTime)},
        {QStringLiteral("payouts"), payouts(caption(model, ScreenElementId::lblPrizePool1),
                                            caption(model, ScreenElementId::lblPrizePool2))},
        {QStringLiteral("colours"), colours},
        {QStringLiteral("screen"), screenOf(model)},
    };
}

QByteArray StateJson::toBytes(const QJsonObject& state)
{
    return QJsonDocument(state).toJson(QJsonDocument::Compact);
}
