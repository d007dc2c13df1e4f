#pragma once

#include <QString>
#include <QtGlobal>

struct TournamentState;

// What a crash must not lose: where the tournament stands and the counts the director keyed in.
struct RecoveryValues
{
    qint16 Level = 0;
    QString Time;
    bool InBreak = false;
    qint16 Players = 0;
    qint16 Entries = 0;
    qint16 Rebuys = 0;
    qint16 Addons = 0;
    qint16 Player_Variance = 0;
    qint16 Entry_Variance = 0;
    qint16 Rebuy_Variance = 0;
    qint16 Addon_Variance = 0;
    // Written at a normal exit, not by a crash: nothing to tell the director at the restart.
    bool Closed = false;

    static RecoveryValues from(const TournamentState& state, bool inBreak);
    // Puts everything but InBreak, which belongs to the clock screen, back into state.
    void applyTo(TournamentState& state) const;

    bool operator==(const RecoveryValues&) const = default;
};
