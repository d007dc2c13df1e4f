#pragma once

class BlindStructure;
struct TournamentState;

// Puts a new blind structure in place while the tournament runs: the level number stays (the last level
// when the new structure is shorter) and the time left is cut to the new level's length, or the new
// break's length during a break. A time that is not running ("--:--") stays as it is.
class BlindSwap
{
public:
    static void apply(const BlindStructure& replacement, bool inBreak, TournamentState& state,
                      BlindStructure& structure);
};
