#pragma once

#include "core/Money.h"

#include <QList>

// The percentages of the prize pool per paid place: element n is place n, element 0 is always 0 and is
// no place.
class PayoutTable
{
public:
    PayoutTable() : m_percentages{Money()} {}

    void append(Money percentage) { m_percentages.append(percentage); }

    // Places paid: the highest index.
    int placeCount() const { return int(m_percentages.size()) - 1; }
    bool isEmpty() const { return placeCount() == 0; }
    // Index 0..placeCount().
    Money at(int index) const { return m_percentages.at(index); }

    bool operator==(const PayoutTable&) const = default;

private:
    QList<Money> m_percentages;
};
