#pragma once

#include "BlindLevel.h"

#include <QList>

struct TournamentState;

// The levels of the tournament; level n is element n and element 0 is always an empty row.
class BlindStructure
{
public:
    BlindStructure() { reset(); }

    void reset();
    void append(const BlindLevel& level) { m_rows.append(level); }

    // The number of levels: the last index.
    int levelCount() const { return int(m_rows.size()) - 1; }
    bool hasLevel(int level) const { return level >= 1 && level <= levelCount(); }
    bool hasNextLevel(int level) const { return level < levelCount(); }
    // Element index, 0 included; must exist.
    const BlindLevel& at(int index) const { return m_rows.at(index); }

private:
    QList<BlindLevel> m_rows;
};

// Replaces structure by the rows of the blinds file named in state (case of the name ignored). A missing
// or unnamed file gives no levels. Throws ClockError naming the file and line at the first bad data line;
// the rows before it stay.
void LoadBlindStructure(const TournamentState& state, BlindStructure& structure);

// Reads the rows of the given lines (header first) into structure; used by LoadBlindStructure.
void ParseBlindLines(const QStringList& lines, const QString& fileName, BlindStructure& structure);
