#include "ColourUpNote.h"

#include <QRegularExpression>
#include <QStringList>

QString ColourUpNote::text(const QList<qint64>& denominations)
{
    QStringList names;
    for (const qint64 d : denominations) {
        names.append(QString::number(d));
    }
    if (names.isEmpty()) {
        return {};
    }
    const QString last = names.takeLast();
    const QString list =
        names.isEmpty() ? last : names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    return QStringLiteral("Colour up the %1 chips").arg(list);
}

QList<qint64> ColourUpNote::denominations(const QString& note)
{
    static const QRegularExpression form(QStringLiteral("^\\s*colou?r[ -]up the (.+) chips\\s*\\.?\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto match = form.match(note);
    if (!match.hasMatch()) {
        return {};
    }
    static const QRegularExpression separator(QStringLiteral("\\s*(,|\\band\\b)\\s*"));
    QList<qint64> values;
    for (const QString& part : match.captured(1).split(separator, Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint64 value = part.trimmed().toLongLong(&ok);
        if (!ok || value <= 0) {
            return {};
        }
        values.append(value);
    }
    return values;
}
