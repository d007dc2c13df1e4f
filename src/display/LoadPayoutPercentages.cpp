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
    QString text;
    switch (reading.problem) {
    case PayoutTemplate::Problem::ExceedsHundred:
        text = QStringLiteral("The prize pool cannot be applied because it exceeds 100%");
        break;
    case PayoutTemplate::Problem::NegativePercentage:
        text = QStringLiteral("The prize pool cannot be applied because a place has a percentage below 0%");
        break;
    default:
        text = QStringLiteral("The prize pool template file is not the correct format");
        break;
    }
    boxes.show(MessageBoxes::Icon::Information, text);
    return reading.table;
}
