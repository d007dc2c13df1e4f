#pragma once

#include <QtGlobal>

// What a recount from the manager gives: players still seated where their receipt put them, receipts,
// rebuys and add-ons.
struct TournamentCounts
{
    qint16 Players = 0;
    qint16 Entries = 0;
    qint16 Rebuys = 0;
    qint16 Addons = 0;

    bool operator==(const TournamentCounts&) const = default;
};
