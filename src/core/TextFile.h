#pragma once

#include <QString>
#include <QStringList>

// Whole-file reads and writes of the clock's Windows-1252 text files.
class TextFile
{
public:
    // Lines ended by CR LF, a lone CR or a lone LF; a last line without an ending counts too. A file that
    // starts with a UTF-8 byte-order mark is read as UTF-8, without the mark.
    // Throws ClockError naming the file when it cannot be read.
    static QStringList readLines(const QString& path);

    // Splits text the same way readLines does.
    static QStringList splitLines(const QString& text);

    // Writes every line followed by CR LF. The text goes to a temporary file in the same folder that
    // replaces the old file only once it is completely on disk, so a failed write leaves the old file
    // as it was. Throws ClockError naming the file on any failure.
    static void writeLines(const QString& path, const QStringList& lines);

    // Writes the bytes as they are, replacing the old file in the same way.
    static void writeBytes(const QString& path, const QByteArray& bytes);
};
