#pragma once

#include "PayoutTable.h"
#include "PayoutTemplateCache.h"
#include "PayoutTemplateWarnings.h"
#include "core/ClockFolders.h"
#include "core/MessageBoxes.h"

#include <QtGlobal>

// The payout percentages for the entry count from the payout template. A missing template or an entry
// count outside every range gives an empty table quietly; a template that exceeds 100% or cannot be read
// gives an empty table and an information box, shown once per problem until the file changes. With a
// cache, an unchanged template is not parsed again.
PayoutTable LoadPayoutPercentages(qint16 entries, const ClockFolders& folders, MessageBoxes& boxes,
                                  PayoutTemplateWarnings& warnings, PayoutTemplateCache* cache = nullptr);
