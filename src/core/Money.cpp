#include "Money.h"

#include "DecimalNumber.h"

std::optional<Money> Money::fromWhole(qint64 whole)
{
    qint64 raw = 0;
    if (__builtin_mul_overflow(whole, Scale, &raw)) {
        return std::nullopt;
    }
    return fromRaw(raw);
}

std::optional<Money> Money::fromDecimal(const DecimalNumber& number)
{
    const auto raw = number.scaledRounded(4);
    if (!raw) {
        return std::nullopt;
    }
    return fromRaw(*raw);
}

std::optional<Money> Money::fromLeadingText(QStringView text)
{
    return fromDecimal(DecimalNumber::leading(text));
}

QString Money::toString() const
{
    const bool negative = m_raw < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(m_raw) : quint64(m_raw);
    QString text = QString::number(magnitude / Scale);
    quint64 fraction = magnitude % Scale;
    if (fraction != 0) {
        QString decimals = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (decimals.endsWith(u'0')) {
            decimals.chop(1);
        }
        text += u'.' + decimals;
    }
    return negative ? u'-' + text : text;
}

qint64 Money::roundedWhole() const
{
    const qint64 whole = m_raw / Scale;
    const qint64 rest = m_raw % Scale;
    if (rest >= Scale / 2) {
        return whole + 1;
    }
    if (rest <= -Scale / 2) {
        return whole - 1;
    }
    return whole;
}

std::optional<Money> Money::checkedAdd(Money other) const
{
    qint64 raw = 0;
    if (__builtin_add_overflow(m_raw, other.m_raw, &raw)) {
        return std::nullopt;
    }
    return fromRaw(raw);
}

std::optional<Money> Money::checkedMultiply(qint64 factor) const
{
    qint64 raw = 0;
    if (__builtin_mul_overflow(m_raw, factor, &raw)) {
        return std::nullopt;
    }
    return fromRaw(raw);
}
