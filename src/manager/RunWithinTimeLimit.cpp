#include "RunWithinTimeLimit.h"

QString ManagerTimeLimitMessage(int ms)
{
    return QStringLiteral("The manager database did not answer within %1 seconds.")
        .arg(QString::number(double(ms) / 1000.0));
}
