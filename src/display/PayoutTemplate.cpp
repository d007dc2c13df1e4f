#include "PayoutTemplate.h"

#include "core/ClockError.h"
#include "core/DecimalNumber.h"
#include "core/FolderLookup.h"
#include "core/SplitCsvLine.h"
#include "core/TextFile.h"

#include <optional>

namespace {

const QString TemplateName = QStringLiteral("prize-pool.csv");

// A range end: an optionally signed run of digits with blanks around it, nothing else.
std::optional<qint32> wholeNumber(QStringView text)
{
    const QStringView t = text.trimmed();
    qsizetype first = 0;
    if (!t.isEmpty() && (t.front() == u'+' || t.front() == u'-')) {
        first = 1;
    }
    if (t.size() == first) {
        return std::nullopt;
    }
    for (qsizetype i = first; i < t.size(); ++i) {
        if (!t[i].isDigit() || t[i].unicode() > 0x7f) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const qint32 value = t.toInt(&ok);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

// The position of the first header field whose range holds entries, 0 when none does. Fields after the
// match are not looked at.
std::optional<int> columnFor(const QStringList& header, qint16 entries)
{
    for (int position = 0; position < header.size(); ++position) {
        const QString& field = header.at(position);
        if (!field.contains(u'-')) {
            continue;
        }
        const auto low = wholeNumber(QStringView(field).left(field.indexOf(u'-')));
        const auto high = wholeNumber(QStringView(field).mid(field.lastIndexOf(u'-') + 1));
        if (!low || !high) {
            return std::nullopt;
        }
        if (*low <= entries && entries <= *high) {
            return position;
        }
    }
    return 0;
}

} // namespace

QString PayoutTemplate::find(const ClockFolders& folders)
{
    const QString inParent = FolderLookup::find(folders.Parent, TemplateName);
    return inParent.isEmpty() ? FolderLookup::find(folders.Program, TemplateName) : inParent;
}

PayoutTemplate::Reading PayoutTemplate::read(const QString& path, qint16 entries)
{
    Reading wrongFormat;
    wrongFormat.problem = Problem::WrongFormat;

    QStringList lines;
    try {
        lines = TextFile::readLines(path);
    } catch (const ClockError&) {
        return wrongFormat;
    }
    if (lines.size() < 2) {
        return wrongFormat;
    }
    const auto column = columnFor(SplitCsvLine(lines.at(1)), entries);
    if (!column) {
        return wrongFormat;
    }
    wrongFormat.column = *column;

    Reading result;
    result.column = *column;
    if (*column < 1) {
        return result;
    }
    Money total;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList fields = lines.at(i).split(u',');
        if (fields.size() <= *column) {
            return wrongFormat;
        }
        const auto percentage = Money::fromLeadingText(fields.at(*column));
        if (!percentage) {
            return wrongFormat;
        }
        if (percentage->isZero()) {
            break;
        }
        // A negative share would pay the places above it more than the pool holds.
        if (*percentage < Money()) {
            Reading negative;
            negative.problem = Problem::NegativePercentage;
            negative.column = *column;
            return negative;
        }
        const auto sum = total.checkedAdd(*percentage);
        if (!sum) {
            return wrongFormat;
        }
        total = *sum;
        result.table.append(*percentage);
    }
    if (total > Money::fromRaw(100 * Money::Scale)) {
        Reading exceeds;
        exceeds.problem = Problem::ExceedsHundred;
        exceeds.column = *column;
        return exceeds;
    }
    return result;
}
