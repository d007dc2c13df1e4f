#include "DigitsValidator.h"

#include <algorithm>

QValidator::State DigitsValidator::validate(QString& input, int&) const
{
    return std::all_of(input.cbegin(), input.cend(), isDigit) ? Acceptable : Invalid;
}
