#include "LoadPayoutPercentages.h"

PayoutTable LoadPayoutPercentages(qint16 entries, const ClockFolders& folders, MessageBoxes& boxes,
                                  PayoutTemplateWarnings& warnings, PayoutTemplateCache* cache)
{
    const QString path = PayoutTemplate::find(folders);
    if (path.isEmpty()) {
        return {};
    }
    const PayoutTemplate::Reading reading =
        cache ? cache->read(path, entries) : PayoutTemplate::read(path, entries);
    if (reading.problem == PayoutTemplate::Problem::None ||
        !warnings.firstReport(path, reading.problem, reading.column)) {
        return reading.table;
    }
    boxes.show(MessageBoxes::Icon::Information,
               reading.problem == PayoutTemplate::Problem::ExceedsHundred
                   ? QStringLiteral("The prize pool cannot be applied because it exceeds 100%")
                   : QStringLiteral("The prize pool template file is not the correct format"));
    return reading.table;
}
