#pragma once

#include "core/Money.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

// Whole numbers in the screen's digit patterns such as "##,###" or "###,##0": a "," anywhere in the pattern
// groups the digits by thousands, and each "0" is a digit that always shows, so in a pattern without "0"
// the number zero shows as an empty text. More digits than the pattern has places still all show.
QString FormatNumber(qint64 value, QStringView pattern);

// Rounded to a whole number first, halves away from zero.
QString FormatNumber(double value, QStringView pattern);
QString FormatNumber(Money value, QStringView pattern);
