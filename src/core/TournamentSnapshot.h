#pragma once

#include "BlindLevel.h"
#include "EstimatedEnd.h"
#include "Money.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// One paid place, or a group of places paid the same ("4-6"), with its amount as the screen shows both.
struct PayoutLine
{
    QString place;
    QString amount;

    bool operator==(const PayoutLine&) const = default;
};

// The tournament as it stands after a tick, a key, a recount or a save: what every reader outside the
// clock screen learns the tournament from. Texts are the screen's own, so a phone shows what the room
// sees; the values beside them are for readers that compute.
struct TournamentSnapshot
{
    QString title;
    qint16 level = 0;
    // Left in the level or break as the digits show it ("mm:ss"), and in seconds (-1 when no time).
    QString time;
    int secondsLeft = -1;
    bool paused = false;
    bool inBreak = false;

    // The effective counts; unset when a count with its correction leaves its range.
    std::optional<qint16> players;
    std::optional<qint16> entries;
    std::optional<qint16> rebuys;
    std::optional<qint16> addons;
    QString playersText;
    QString entriesText;

    std::optional<Money> totalChips;
    std::optional<double> averageStack;
    QString averageStackText;
    // The whole-number pool the payouts are paid from.
    std::optional<Money> prizePool;
    QString prizePoolText;
    // Every paid place in place order, grouped as the screen groups them; the box shows a part of it.
    QList<PayoutLine> payouts;

    // "hh:mm"; the time to break is "--:--" when no break is ahead.
    QString timePlayed;
    QString timeToBreak;

    // The rows of the current and the next level, when the structure has them.
    std::optional<BlindLevel> current;
    std::optional<BlindLevel> next;
    QString blindsText;
    QString anteText;
    QString nextBlindsText;
    QString nextAnteText;

    // Where the night ends by the rule of thumb (the first level whose big blind is a twentieth of the
    // chips in play), and the note of the break that runs or follows the current level ("Colour up the
    // 25 chips"); unset and empty when there is none.
    std::optional<EstimatedEnd> estimatedEnd;
    QString colourUp;

    bool operator==(const TournamentSnapshot&) const = default;
};
