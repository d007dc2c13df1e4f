#pragma once

#include "BlindPlanInputs.h"
#include "BlindStructure.h"

// Builds a blind structure from what a director knows before the night. The big blind grows about
// geometrically from startingChips / depth so that the first level whose big blind is at least a
// twentieth of all chips starts at the target playing time, within one level; no step more than
// doubles and none stands still. The levels go on until the big blind is a tenth of all chips, and two
// more. At a break, a denomination that no later amount needs is coloured up, smallest first, and the
// break's level carries the note.
class BlindStructureGenerator
{
public:
    // Levels never exceed this count, whatever the inputs.
    static constexpr int MaxLevels = 500;

    // The inputs must have no problem().
    static BlindStructure generate(const BlindPlanInputs& inputs);

    // The level (1-based) whose start the plan aims at for the end: one level after the target playing
    // time divided by the level length, rounded.
    static int targetEndLevel(const BlindPlanInputs& inputs);
};
