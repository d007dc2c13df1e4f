#pragma once

#include <QString>
#include <QtGlobal>
#include <compare>
#include <optional>

class DecimalNumber;

// Amounts of money and chip counts: a signed 64-bit count of ten-thousandths, so that sums and products
// are exact and nothing is ever rounded through floating point.
class Money
{
public:
    static constexpr qint64 Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromRaw(qint64 raw)
    {
        Money m;
        m.m_raw = raw;
        return m;
    }
    static std::optional<Money> fromWhole(qint64 whole);
    // Rounded to four decimals, halves to the even neighbour; nothing when out of range.
    static std::optional<Money> fromDecimal(const DecimalNumber& number);
    // The leading number of text, rounded to four decimals.
    static std::optional<Money> fromLeadingText(QStringView text);

    constexpr qint64 raw() const { return m_raw; }
    constexpr bool isZero() const { return m_raw == 0; }

    // Shortest decimal form: 1000, 12.5, -0.0001; no grouping, no currency sign.
    QString toString() const;

    // Whole units, halves away from zero (floor(x + 0.5) for the positive amounts of the clock).
    qint64 roundedWhole() const;

    std::optional<Money> checkedAdd(Money other) const;
    std::optional<Money> checkedMultiply(qint64 factor) const;

    double toDouble() const { return double(m_raw) / double(Scale); }

    constexpr auto operator<=>(const Money&) const = default;

private:
    qint64 m_raw = 0;
};
