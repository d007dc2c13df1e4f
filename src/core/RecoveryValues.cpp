#include "RecoveryValues.h"

#include "TournamentState.h"

RecoveryValues RecoveryValues::from(const TournamentState& state, bool inBreak)
{
    const TournamentRecord& t = state.Tournament;
    return RecoveryValues{t.Level,          t.Time,           inBreak,         t.Players,
                          t.Entries,        t.Rebuys,         t.Addons,        t.Player_Variance,
                          t.Entry_Variance, t.Rebuy_Variance, t.Addon_Variance};
}

void RecoveryValues::applyTo(TournamentState& state) const
{
    TournamentRecord& t = state.Tournament;
    t.Level = Level;
    t.Time = Time;
    t.Players = Players;
    t.Entries = Entries;
    t.Rebuys = Rebuys;
    t.Addons = Addons;
    t.Player_Variance = Player_Variance;
    t.Entry_Variance = Entry_Variance;
    t.Rebuy_Variance = Rebuy_Variance;
    t.Addon_Variance = Addon_Variance;
}
