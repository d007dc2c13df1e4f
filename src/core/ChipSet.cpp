#include "ChipSet.h"

#include <algorithm>

ChipSet::ChipSet(QList<qint64> denominations) : m_denominations(std::move(denominations))
{
    m_denominations.removeIf([](qint64 d) { return d <= 0; });
    std::sort(m_denominations.begin(), m_denominations.end());
    m_denominations.erase(std::unique(m_denominations.begin(), m_denominations.end()), m_denominations.end());
}

std::optional<ChipSet> ChipSet::parse(const QString& text)
{
    QList<qint64> values;
    for (const QString& part : text.split(u',')) {
        bool ok = false;
        const qint64 value = part.trimmed().toLongLong(&ok);
        // A chip worth more than a billion is a typing error, and keeps every sum far from overflow.
        if (!ok || value <= 0 || value > 1000000000) {
            return std::nullopt;
        }
        values.append(value);
    }
    return ChipSet(values);
}

QString ChipSet::toString() const
{
    QStringList parts;
    for (const qint64 d : m_denominations) {
        parts.append(QString::number(d));
    }
    return parts.join(u',');
}
