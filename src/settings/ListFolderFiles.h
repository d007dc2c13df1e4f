#pragma once

#include <QString>

// The names (without folder) of the files matching pattern, a folder followed by a wildcard name such as
// "*.wav", in name order, each followed by CR LF; "" when none match. Letter case is ignored both in the
// wildcard and in the order, as the director's files come from systems that ignore it.
QString ListFolderFiles(const QString& pattern);
