#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// Readings of manager columns, whatever type the backend hands over (bit, integer, number as text,
// 'True'/'False', '0'/'1').
namespace SqlValue {

enum class Flag
{
    Null,
    True,
    False,
    Unreadable
};

Flag flag(const QVariant& value);

// A whole number; nothing for null, fractions and anything that is not a number.
std::optional<qint64> wholeNumber(const QVariant& value);

// The text a form field shows for the value: numbers in their shortest decimal form (at most four
// decimals, as money), anything else as the backend gives it.
QString text(const QVariant& value);

} // namespace SqlValue
