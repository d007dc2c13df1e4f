#pragma once

#include <QString>
#include <QStringList>

struct TournamentState;

// Reads or writes darvel.ini in the program folder, then checks the sound and blinds file names.
// mode is "read" or "write" (blanks and case ignored); any other mode only runs the checks. A missing
// file is created with the defaults and marks the first run. Throws ClockError naming the file, the line
// and the key on failure; fields read before the failure keep their new values. A blinds name that matches
// no file is replaced, and when notes is given, a message for the director saying so is added to it.
void ReadWriteClockSettings(TournamentState& state, const QString& mode, QStringList* notes = nullptr);

// Reads darvel.ini as far as it can after ReadWriteClockSettings failed: the defaults first, then every
// value that converts; a value that does not keeps its default. Returns one message per value skipped.
// Throws ClockError only when the file cannot be read at all. notes as for ReadWriteClockSettings.
QStringList RecoverClockSettings(TournamentState& state, QStringList* notes = nullptr);

// Reads darvel.ini at start-up, whatever it holds: a file that cannot be read whole is read as far as it
// can, the rest taking the defaults. Returns what the director is told about that, or nothing.
QString ReadClockSettingsAtStartup(TournamentState& state, QStringList* notes = nullptr);

// The 34 lines darvel.ini holds for state, in their fixed order.
QStringList ClockSettingsLines(const TournamentState& state);

// What a missing darvel.ini starts with.
void ApplyClockSettingsDefaults(TournamentState& state);
