#pragma once

#include "manager/ManagerTimeLimits.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSqlDatabase>
#include <QStringList>
#include <QThread>

// Time limits for the manager's database short enough for a test, restored when the object ends.
class ShortManagerTimeLimits
{
public:
    explicit ShortManagerTimeLimits(int statementMs = 300, int watchdogMs = 2000, int startupWaitMs = 200,
                                    int exitWaitMs = 100)
        : m_saved(ManagerTimeLimits::current())
    {
        ManagerTimeLimits limits;
        limits.connectSeconds = 2;
        limits.statementMs = statementMs;
        limits.watchdogMs = watchdogMs;
        limits.startupWaitMs = startupWaitMs;
        limits.exitWaitMs = exitWaitMs;
        ManagerTimeLimits::set(limits);
    }
    ~ShortManagerTimeLimits() { ManagerTimeLimits::set(m_saved); }
    ShortManagerTimeLimits(const ShortManagerTimeLimits&) = delete;
    ShortManagerTimeLimits& operator=(const ShortManagerTimeLimits&) = delete;

    // Abandoned work ends once its database answers again; true when every connection of the clock's
    // has gone within ms.
    static bool connectionsGone(const QString& prefix, int ms = 10000)
    {
        const QDeadlineTimer deadline(ms);
        while (!QSqlDatabase::connectionNames().filter(prefix).isEmpty()) {
            if (deadline.hasExpired()) {
                return false;
            }
            QCoreApplication::processEvents();
            QThread::msleep(20);
        }
        return true;
    }

private:
    ManagerTimeLimits m_saved;
};
