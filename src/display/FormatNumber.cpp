#include "FormatNumber.h"

#include <cmath>
#include <limits>

QString FormatNumber(qint64 value, QStringView pattern)
{
    const auto minimumDigits = pattern.count(u'0');
    const bool grouped = pattern.contains(u',');
    const bool negative = value < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);

    QString digits = magnitude == 0 ? QString() : QString::number(magnitude);
    if (digits.size() < minimumDigits) {
        digits.prepend(QString(minimumDigits - digits.size(), u'0'));
    }
    if (grouped) {
        for (qsizetype at = digits.size() - 3; at > 0; at -= 3) {
            digits.insert(at, u',');
        }
    }
    return negative ? u'-' + digits : digits;
}

QString FormatNumber(double value, QStringView pattern)
{
    const double rounded = std::round(value); // halves away from zero
    constexpr double limit = 9.2e18;          // just inside the 64-bit range
    if (!std::isfinite(rounded) || std::fabs(rounded) > limit) {
        return FormatNumber(
            rounded < 0 ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max(), pattern);
    }
    return FormatNumber(qint64(rounded), pattern);
}

QString FormatNumber(Money value, QStringView pattern)
{
    return FormatNumber(value.roundedWhole(), pattern);
}
