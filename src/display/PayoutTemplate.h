#pragma once

#include "PayoutTable.h"
#include "core/ClockFolders.h"

#include <QString>
#include <QtGlobal>

// The payout template prize-pool.csv: line 1 is free text, line 2 a header whose fields such as "2-10"
// give the entry range of their column, and every further line one paid place with a percentage per column.
class PayoutTemplate
{
public:
    enum class Problem
    {
        None,
        ExceedsHundred,
        NegativePercentage,
        WrongFormat
    };

    struct Reading
    {
        PayoutTable table;
        Problem problem = Problem::None;
        // The column chosen for the entry count; 0 when none (or not yet known when the header is broken).
        int column = 0;
    };

    // The template in the parent folder, else the one in the program folder; empty when there is none.
    // Names match without regard to case and hidden files do not count, as for the start-up check.
    static QString find(const ClockFolders& folders);

    // The percentages of the column whose range holds entries. No matching range gives an empty table and
    // no problem; any problem gives an empty table.
    static Reading read(const QString& path, qint16 entries);
};
