#pragma once

#include <QString>
#include <optional>

// One key=value line of the clock's and the manager's INI files. The key is everything before the first
// "=", upper-cased but not trimmed, so "Title = x" has the key "TITLE " and matches nothing; the value is
// everything after it, untrimmed. A line without "=" (separators, blank lines) holds nothing.
struct IniLine
{
    QString key;
    QString value;

    static std::optional<IniLine> parse(const QString& line);

    // A value fit to be written as one line: each run of CR and LF becomes one space. A line break inside
    // a value would split its entry and shift every entry after it.
    static QString oneLine(const QString& value);
};
