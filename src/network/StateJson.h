#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

class ClockScreenModel;

// The clock screen as the pages show it, read from the screen's model: what the window shows is what a
// phone shows, never worked out a second time.
class StateJson
{
public:
    static QJsonObject fromModel(const ClockScreenModel& model);
    static QByteArray toBytes(const QJsonObject& state);

    // The payout box holds every paid place, rotated so the list moves on, in two columns of CR LF lines
    // ("1st", "4-6"; "$1,230"). Returns them in place order, each once, as {"place", "amount"}.
    static QJsonArray payouts(const QString& placesColumn, const QString& amountsColumn);
    // "#rrggbb".
    static QString colour(int red, int green, int blue);
};
