#include "StateJson.h"

#include <QJsonDocument>

QJsonArray StateJson::payouts(const QList<PayoutLine>& lines)
{
    QJsonArray result;
    for (const PayoutLine& line : lines) {
        result.append(
            QJsonObject{{QStringLiteral("place"), line.place}, {QStringLiteral("amount"), line.amount}});
    }
    return result;
}

QJsonObject StateJson::fromSnapshot(const TournamentSnapshot& s, const QJsonObject& screen)
{
    QJsonObject state{
        {QStringLiteral("title"), s.title},
        {QStringLiteral("level"), QString::number(s.level)},
        {QStringLiteral("time"), s.time},
        {QStringLiteral("paused"), s.paused},
        {QStringLiteral("break"), s.inBreak},
        {QStringLiteral("blinds"), s.blindsText},
        {QStringLiteral("ante"), s.anteText},
        {QStringLiteral("next_blinds"), s.nextBlindsText},
        {QStringLiteral("next_ante"), s.nextAnteText},
        {QStringLiteral("players"), s.playersText},
        {QStringLiteral("entries"), s.entriesText},
        {QStringLiteral("average_stack"), s.averageStackText},
        {QStringLiteral("prize_pool"), s.prizePoolText},
        {QStringLiteral("time_to_break"), s.timeToBreak},
        {QStringLiteral("total_time"), s.timePlayed},
        {QStringLiteral("payouts"), payouts(s.payouts)},
        {QStringLiteral("estimated_end"),
         s.estimatedEnd ? QJsonValue(QJsonObject{{QStringLiteral("level"), s.estimatedEnd->level},
                                                 {QStringLiteral("in"), s.estimatedEnd->inText()}})
                        : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("colour_up"),
         s.colourUp.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(s.colourUp)},
    };
    for (auto it = screen.begin(); it != screen.end(); ++it) {
        state.insert(it.key(), it.value());
    }
    return state;
}

QByteArray StateJson::toBytes(const QJsonObject& state)
{
    return QJsonDocument(state).toJson(QJsonDocument::Compact);
}
