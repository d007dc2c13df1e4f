#include "BlindSwap.h"

#include "BlindStructure.h"
#include "LevelTime.h"
#include "TournamentState.h"

void BlindSwap::apply(const BlindStructure& replacement, bool inBreak, TournamentState& state,
                      BlindStructure& structure)
{
    structure = replacement;
    TournamentRecord& t = state.Tournament;
    if (structure.levelCount() == 0) {
        return;
    }
    t.Level = qint16(qBound(1, int(t.Level), structure.levelCount()));
    if (!LevelTime::seconds(t.Time)) {
        return;
    }
    const BlindLevel& level = structure.at(t.Level);
    t.Time = LevelTime::checked(t.Time, inBreak ? qMax<qint16>(0, level.BreakMinutes) : level.Minutes);
}
