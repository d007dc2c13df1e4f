#pragma once

#include <QString>

// Adds leftDelta to the left number and rightDelta to the right number of a two-part time "nn:nn"
// (minutes:seconds or hours:minutes). With clamp the right part stays within 0..59; without it, one carry
// or borrow moves into the left part. "--:--" is returned as it is, and so is "00:00" for a step down.
QString StepTimeText(const QString& text, int leftDelta, int rightDelta, bool clamp);

// The whole number before the first ":" and after the last ":" of a two-part time (0 when missing).
qint64 TimeTextLeft(const QString& text);
qint64 TimeTextRight(const QString& text);

// A whole number formatted with at least two digits: 5 gives "05", 123 "123", -3 "-03".
QString TwoDigits(qint64 value);

// Minutes as "hh:mm".
QString HoursMinutesText(qint64 minutes);
