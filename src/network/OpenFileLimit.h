#pragma once

#include <QtGlobal>

// The process's limit on open files. Many network connections hold a descriptor each; the clock's own
// files and X resources must still find one.
class OpenFileLimit
{
public:
    // Raises the soft limit to the hard one; returns the limit now in force, or -1 where there is none
    // to read.
    static qint64 raiseToHard();
    static qint64 current();
};
