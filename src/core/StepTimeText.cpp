#include "StepTimeText.h"

#include "DecimalNumber.h"

#include <algorithm>

namespace {

qint64 wholeNumber(QStringView text)
{
    return DecimalNumber::leading(text).scaledRounded(0).value_or(0);
}

} // namespace

qint64 TimeTextLeft(const QString& text)
{
    const qsizetype colon = text.indexOf(u':');
    return wholeNumber(colon < 0 ? QStringView(text) : QStringView(text).left(colon));
}

qint64 TimeTextRight(const QString& text)
{
    const qsizetype colon = text.lastIndexOf(u':');
    return colon < 0 ? 0 : wholeNumber(QStringView(text).mid(colon + 1));
}

QString TwoDigits(qint64 value)
{
    const QString digits = QString::number(value < 0 ? -value : value).rightJustified(2, u'0');
    return value < 0 ? QStringLiteral("-") + digits : digits;
}

QString HoursMinutesText(qint64 minutes)
{
    return TwoDigits(minutes / 60) + u':' + TwoDigits(minutes % 60);
}

QString StepTimeText(const QString& text, int leftDelta, int rightDelta, bool clamp)
{
    if (text == QStringLiteral("--:--") || (text == QStringLiteral("00:00") && leftDelta + rightDelta < 0)) {
        return text;
    }
    qint64 left = TimeTextLeft(text);
    qint64 right = TimeTextRight(text);
    left += leftDelta;
    if (rightDelta != 0) {
        right += rightDelta;
        if (clamp) {
            right = std::clamp<qint64>(right, 0, 59);
        } else if (right < 0) {
            right += 60;
            left -= 1;
        } else if (right > 59) {
            right -= 60;
            left += 1;
        }
    }
    return TwoDigits(left) + u':' + TwoDigits(right);
}
