#pragma once

#include <QByteArray>
#include <QStringView>
#include <QtGlobal>
#include <optional>

// An exact decimal number read from text, kept as digits and a power of ten so that rounding to a
// 16-bit, 32-bit or money value never passes through floating point.
class DecimalNumber
{
public:
    DecimalNumber() = default;

    // The lenient reading used for every numeric setting and text field: blanks, tabs and line feeds are
    // skipped anywhere, then an optional sign, digits with at most one full stop and an optional exponent
    // (E or D) are read, or &H / &O followed by a hexadecimal or octal whole number; reading stops at the
    // first other character and a text without a number reads as 0.
    static DecimalNumber leading(QStringView text);

    // A whole text that must be one number: blanks and tabs around it are allowed, nothing else.
    static std::optional<DecimalNumber> strict(QStringView text);

    static DecimalNumber fromInteger(qint64 value);
    // sign, decimal digits and power of ten: value = digits x 10^exponent
    static DecimalNumber fromParts(bool negative, QByteArray digits, qint64 exponent);

    bool isZero() const { return m_digits.isEmpty(); }

    // value x 10^scale rounded to a whole number, halves to the even neighbour; nothing when it does not
    // fit a signed 64-bit integer.
    std::optional<qint64> scaledRounded(int scale) const;

    std::optional<qint16> toInt16() const;
    std::optional<qint32> toInt32() const;

private:
    bool m_negative = false;
    QByteArray m_digits; // no leading or trailing zeros; empty means zero
    qint64 m_exponent = 0;

    void normalise();
};
