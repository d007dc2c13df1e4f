#include "BlindStructureWriter.h"

#include "BlindStructure.h"
#include "SplitCsvLine.h"
#include "TextFile.h"

QString BlindStructureWriter::defaultHeader()
{
    return QStringLiteral("Level,Small Blind,Big Blind,Ante,Minutes,Break");
}

QString BlindStructureWriter::field(const QString& text)
{
    const bool quoted =
        text.contains(u',') || text.startsWith(u' ') || text.endsWith(u' ') || text.startsWith(u'"');
    if (!quoted) {
        return text;
    }
    // A quote inside a quoted field would end it: the format has no escape.
    QString inner = text;
    inner.replace(u'"', u'\'');
    return u'"' + inner + u'"';
}

QStringList BlindStructureWriter::lines(const BlindStructure& structure, const QString& header)
{
    bool notes = false;
    for (int i = 1; i <= structure.levelCount() && !notes; ++i) {
        notes = !structure.at(i).Note.isEmpty();
    }
    QStringList out;
    out.append(notes && SplitCsvLine(header).size() < 7 ? header + QStringLiteral(",Note") : header);
    for (int i = 1; i <= structure.levelCount(); ++i) {
        const BlindLevel& l = structure.at(i);
        QString line = QString::number(l.LevelNumber) + u',' + field(l.SmallBlind) + u',' +
                       field(l.BigBlind) + u',' + field(l.Ante) + u',' + QString::number(l.Minutes) + u',' +
                       QString::number(l.BreakMinutes);
        if (notes) {
            line += u',' + field(l.Note);
        }
        out.append(line);
    }
    return out;
}

void BlindStructureWriter::write(const QString& path, const BlindStructure& structure, const QString& header)
{
    TextFile::writeLines(path, lines(structure, header));
}
