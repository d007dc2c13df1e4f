#include "GuardedLog.h"

#include "ClockError.h"
#include "Guarded.h"

Q_LOGGING_CATEGORY(guardedLog, "kavro.guarded")

QString GuardedDetail::reason(const std::exception& e)
{
    if (const auto* clockError = dynamic_cast<const ClockError*>(&e)) {
        return clockError->message();
    }
    return QString::fromLocal8Bit(e.what());
}
