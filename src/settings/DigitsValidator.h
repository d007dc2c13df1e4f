#pragma once

#include <QValidator>

// Chip counts: the digits 0 to 9 only. An edit that would bring in any other character is refused whole;
// a text the dialog itself put there stays as it is.
class DigitsValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
    static bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
};
