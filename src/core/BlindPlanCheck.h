#pragma once

#include <QStringList>

class BlindStructure;
class ChipSet;

// What a director should look at again in a structure, hand-made or edited: blinds or antes that the
// chips in play cannot pay, blinds that go down, antes above the big blind. Chips leave play at the
// breaks whose notes colour them up.
class BlindPlanCheck
{
public:
    // One line a finding, in level order; empty when all is well. Amounts that are no numbers are left
    // alone.
    static QStringList warnings(const BlindStructure& structure, const ChipSet& chips);
};
