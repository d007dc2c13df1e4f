#pragma once

#include <QString>
#include <QtGlobal>

// One row of a blind structure. The blinds and the ante are shown exactly as the file writes them.
struct BlindLevel
{
    qint16 LevelNumber = 0; // as written; levels are numbered by their row
    QString SmallBlind;
    QString BigBlind;
    QString Ante;            // "0" means no ante
    qint16 Minutes = 0;      // never negative: a file's negative length is read as 0
    qint16 BreakMinutes = 0; // length of the break after this level; 0 or less means none
    QString Note = {};       // seventh column, said at the break after this level ("Colour up the 25 chips")

    bool hasBreak() const { return BreakMinutes >= 1; }
    bool operator==(const BlindLevel&) const = default;
};
