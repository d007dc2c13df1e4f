#include "ManagerTimeLimits.h"

#include <QtGlobal>
#include <mutex>

namespace {

std::mutex limitsLock;
ManagerTimeLimits limitsInForce;

} // namespace

ManagerTimeLimits ManagerTimeLimits::current()
{
    const std::lock_guard lock(limitsLock);
    return limitsInForce;
}

void ManagerTimeLimits::set(const ManagerTimeLimits& limits)
{
    const std::lock_guard lock(limitsLock);
    limitsInForce = limits;
}

void ManagerTimeLimits::takeFromEnvironment()
{
    ManagerTimeLimits limits = current();
    bool ok = false;
    const int statement = qEnvironmentVariableIntValue("KAVRO_MANAGER_STATEMENT_MS", &ok);
    if (ok && statement > 0) {
        limits.statementMs = statement;
    }
    const int watchdog = qEnvironmentVariableIntValue("KAVRO_MANAGER_WATCHDOG_MS", &ok);
    if (ok && watchdog > 0) {
        limits.watchdogMs = watchdog;
    }
    set(limits);
}
