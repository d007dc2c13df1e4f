#pragma once

#include <QString>
#include <QStringList>

// Splits one line of a blinds file or of the payout template into its fields (always at least one).
// Only the space counts as a blank. A field in double quotes may hold commas; a doubled quote is no
// escape; blanks before a comma are dropped from an unquoted field; text after a closing quote makes the
// field everything from the opening quote to the comma. One pass: each field is cut out of the line once.
QStringList SplitCsvLine(const QString& line);
