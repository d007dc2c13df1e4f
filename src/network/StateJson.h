#pragma once

#include "core/TournamentSnapshot.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>

// The state the pages show: the tournament's values from the snapshot, and the screen as the TV view
// redraws it (its elements, colours and notice words), merged into one object.
class StateJson
{
public:
    static QJsonObject fromSnapshot(const TournamentSnapshot& snapshot, const QJsonObject& screen);
    static QByteArray toBytes(const QJsonObject& state);

    // Every paid place in place order, as {"place", "amount"}.
    static QJsonArray payouts(const QList<PayoutLine>& lines);
};
