#pragma once

#include <QString>
#include <QStringList>

class BlindStructure;

// Writes a blind structure in the form LoadBlindStructure reads: a header, then one line a level with
// the six columns, and a seventh, the note, only when a level has one.
class BlindStructureWriter
{
public:
    static QString defaultHeader();

    // The lines without their endings. header replaces the default one (an opened file keeps its own);
    // it gains a ",Note" column when a level has a note and it has fewer than seven columns.
    static QStringList lines(const BlindStructure& structure, const QString& header = defaultHeader());

    // Writes the lines with CR LF endings through a temporary file that replaces path once complete.
    // Throws ClockError naming the file when it cannot be written.
    static void write(const QString& path, const BlindStructure& structure,
                      const QString& header = defaultHeader());

    // A field as SplitCsvLine gives it back: quoted when it holds a comma or blanks at either end.
    static QString field(const QString& text);
};
