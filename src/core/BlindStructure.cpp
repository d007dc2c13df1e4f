#include "BlindStructure.h"

#include "ClockError.h"
#include "DecimalNumber.h"
#include "FolderLookup.h"
#include "SplitCsvLine.h"
#include "TextFile.h"
#include "TournamentState.h"

#include <QDir>

void BlindStructure::reset()
{
    m_rows.clear();
    m_rows.append(BlindLevel{});
}

void ParseBlindLines(const QStringList& lines, const QString& fileName, BlindStructure& structure)
{
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList f = SplitCsvLine(lines.at(i));
        const auto fail = [&](const QString& why) {
            return ClockError(QStringLiteral("%1, line %2: %3").arg(fileName).arg(i + 1).arg(why));
        };
        if (f.size() < 6) {
            throw fail(QStringLiteral("a level needs six fields, found %1").arg(f.size()));
        }
        const auto whole = [&](int column) {
            const auto number = DecimalNumber::strict(f.at(column - 1));
            const auto value = number ? number->toInt16() : std::nullopt;
            if (!value) {
                throw fail(QStringLiteral("column %1 (\"%2\") is not a whole number from -32768 to 32767")
                               .arg(column)
                               .arg(f.at(column - 1)));
            }
            return *value;
        };
        BlindLevel level;
        level.LevelNumber = whole(1);
        level.SmallBlind = f.at(1);
        level.BigBlind = f.at(2);
        level.Ante = f.at(3);
        // A level cannot last less than nothing: a negative length would count below zero for ever.
        level.Minutes = qMax<qint16>(0, whole(5));
        level.BreakMinutes = whole(6);
        // Readers of six columns ignore the rest; this one keeps the seventh as the level's note.
        if (f.size() >= 7) {
            level.Note = f.at(6);
        }
        structure.append(level);
    }
}

void LoadBlindStructure(const TournamentState& state, BlindStructure& structure)
{
    structure.reset();
    if (state.Tournament.Blinds.isEmpty()) {
        return;
    }
    const QString path = FolderLookup::find(state.Folders.Blinds, state.Tournament.Blinds);
    if (path.isEmpty()) {
        return;
    }
    ParseBlindLines(TextFile::readLines(path), QDir::toNativeSeparators(path), structure);
}
