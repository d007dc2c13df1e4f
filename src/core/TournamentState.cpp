#include "TournamentState.h"

#include <limits>

namespace {

std::optional<qint16> sum16(qint16 a, qint16 b)
{
    const int s = int(a) + int(b);
    if (s < std::numeric_limits<qint16>::min() || s > std::numeric_limits<qint16>::max()) {
        return std::nullopt;
    }
    return qint16(s);
}

} // namespace

std::optional<qint16> TournamentState::effectivePlayers() const
{
    return sum16(Tournament.Players, Tournament.Player_Variance);
}

std::optional<qint16> TournamentState::effectiveEntries() const
{
    return sum16(Tournament.Entries, Tournament.Entry_Variance);
}

std::optional<qint16> TournamentState::effectiveRebuys() const
{
    return sum16(Tournament.Rebuys, Tournament.Rebuy_Variance);
}

std::optional<qint16> TournamentState::effectiveAddons() const
{
    return sum16(Tournament.Addons, Tournament.Addon_Variance);
}
