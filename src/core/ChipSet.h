#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// The chip denominations a room owns, smallest first, each once.
class ChipSet
{
public:
    ChipSet() = default;
    explicit ChipSet(QList<qint64> denominations);

    // "25,100,500,1000": whole positive numbers separated by commas (blanks allowed); nothing for an
    // empty list or anything else.
    static std::optional<ChipSet> parse(const QString& text);

    const QList<qint64>& denominations() const { return m_denominations; }
    bool isEmpty() const { return m_denominations.isEmpty(); }
    qint64 smallest() const { return m_denominations.value(0); }
    QString toString() const;

    bool operator==(const ChipSet&) const = default;

private:
    QList<qint64> m_denominations;
};
