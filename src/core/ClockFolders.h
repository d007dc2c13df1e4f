#pragma once

#include <QString>

// The folders the clock works in, fixed at start-up. Every folder but Program ends with the native
// separator, so a file name is simply appended.
struct ClockFolders
{
    QString Program; // the executable's folder, no trailing separator
    QString Blinds;
    QString Sounds;
    QString Background;
    QString Parent; // Program cut just after its last separator

    // Plain concatenation, nothing normalised or tested: a program folder at the root gives doubled
    // separators, and then the parent folder is the program folder itself.
    static ClockFolders fromProgramFolder(const QString& programFolder);

    QString settingsFile() const;
};
