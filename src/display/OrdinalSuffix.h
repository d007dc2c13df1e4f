#pragma once

#include <QString>
#include <QtGlobal>

// "st", "nd", "rd" or "th" after a place number. Only 11, 12 and 13 themselves are irregular, so 111 is
// "st" as the payout lists have always shown it.
QString OrdinalSuffix(qint16 place);
