#include "RemainingTime.h"

#include "core/DecimalNumber.h"
#include "core/StepTimeText.h"

namespace {

int leadingWhole(QStringView text)
{
    return DecimalNumber::leading(text).toInt16().value_or(0);
}

// A time that has not been started ("--:--") has no half to keep: the untouched half becomes 00 instead
// of leaving dashes in a time the clock would then count from.
bool isDigits(QStringView half)
{
    return half.size() == 2 && half[0].isDigit() && half[1].isDigit();
}

} // namespace

int RemainingTime::minutesPart(const QString& time)
{
    return leadingWhole(QStringView(time).left(2));
}

int RemainingTime::secondsPart(const QString& time)
{
    return leadingWhole(QStringView(time).right(2));
}

QString RemainingTime::normalised(const QString& time)
{
    const QString trimmed = time.trimmed();
    const qsizetype colon = trimmed.indexOf(u':');
    const QStringView minutes = QStringView(trimmed).left(colon);
    const QStringView seconds = QStringView(trimmed).mid(colon + 1);
    const bool shortForm = colon == 1 && minutes[0].isDigit();
    if (!(shortForm || isDigits(minutes)) || !isDigits(seconds)) {
        return time;
    }
    return TwoDigits(minutes.toInt()) + u':' + seconds.toString();
}

QString RemainingTime::fullLength(int levelMinutes)
{
    return TwoDigits(levelMinutes) + QStringLiteral(":00");
}

RemainingTime::Change RemainingTime::minutesChanged(const QString& time, int minutes, int levelMinutes)
{
    const QStringView rest = QStringView(time).right(3);
    Change change;
    change.time = TwoDigits(minutes) + (isDigits(rest.mid(1)) ? rest.toString() : QStringLiteral(":00"));
    if (minutesPart(change.time) == levelMinutes) {
        change.time = change.time.left(2) + QStringLiteral(":00");
        change.seconds = 0;
    }
    return change;
}

RemainingTime::Change RemainingTime::secondsChanged(const QString& time, int seconds, int minutesSpinner,
                                                    int levelMinutes)
{
    Change change;
    if (minutesSpinner < levelMinutes) {
        const QStringView head = QStringView(time).left(3);
        const QString start = isDigits(head.left(2)) ? head.toString() : QStringLiteral("00:");
        change.time = start + TwoDigits(seconds);
    } else {
        change.time = time;
        change.seconds = 0;
    }
    return change;
}

QString RemainingTime::levelPicked(const QString& time, int levelMinutes)
{
    const int minutes = minutesPart(time);
    const int seconds = secondsPart(time);
    if ((seconds == 0 && minutes > levelMinutes) || (seconds != 0 && minutes >= levelMinutes)) {
        return fullLength(levelMinutes);
    }
    return time;
}
