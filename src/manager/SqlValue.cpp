#include "SqlValue.h"

#include "core/DecimalNumber.h"
#include "core/Money.h"

#include <QMetaType>
#include <cmath>

namespace {

bool isIntegerType(int id)
{
    switch (id) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

bool isFloatType(int id)
{
    return id == QMetaType::Double || id == QMetaType::Float;
}

std::optional<DecimalNumber> decimal(const QVariant& value)
{
    const int id = value.metaType().id();
    if (isIntegerType(id)) {
        return DecimalNumber::fromInteger(value.toLongLong());
    }
    if (isFloatType(id)) {
        const double d = value.toDouble();
        if (!std::isfinite(d)) {
            return std::nullopt;
        }
        return DecimalNumber::strict(QString::number(d, 'g', 17));
    }
    if (id == QMetaType::QString || id == QMetaType::QByteArray) {
        return DecimalNumber::strict(value.toString());
    }
    return std::nullopt;
}

} // namespace

namespace SqlValue {

Flag flag(const QVariant& value)
{
    if (value.isNull()) {
        return Flag::Null;
    }
    if (value.metaType().id() == QMetaType::QString || value.metaType().id() == QMetaType::QByteArray) {
        const QString text = value.toString().trimmed();
        if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0) {
            return Flag::True;
        }
        if (text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0) {
            return Flag::False;
        }
    }
    const auto number = decimal(value);
    if (!number) {
        return Flag::Unreadable;
    }
    return number->isZero() ? Flag::False : Flag::True;
}

std::optional<qint64> wholeNumber(const QVariant& value)
{
    if (value.isNull()) {
        return std::nullopt;
    }
    if (isIntegerType(value.metaType().id()) && value.metaType().id() != QMetaType::ULongLong) {
        return value.toLongLong();
    }
    const auto number = decimal(value);
    if (!number) {
        return std::nullopt;
    }
    const auto scaled = number->scaledRounded(4);
    if (!scaled || *scaled % Money::Scale != 0) {
        return std::nullopt;
    }
    return *scaled / Money::Scale;
}

QString text(const QVariant& value)
{
    if (value.isNull()) {
        return QString();
    }
    const int id = value.metaType().id();
    const bool numeric = isIntegerType(id) || isFloatType(id);
    if (numeric || id == QMetaType::QString) {
        if (const auto number = decimal(value)) {
            if (const auto money = Money::fromDecimal(*number)) {
                return money->toString();
            }
        }
    }
    return value.toString();
}

} // namespace SqlValue
