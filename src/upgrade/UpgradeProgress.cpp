#include "UpgradeProgress.h"

#include <algorithm>
#include <cmath>

int UpgradeProgress::percent(qint64 received, qint64 total)
{
    if (total <= 0) {
        return 0;
    }
    const double value = std::floor(double(received) / double(total) * 100.0);
    return int(std::clamp(value, 0.0, 100.0));
}

QString UpgradeProgress::sizeText(qint64 received, int percent, const QLocale& locale)
{
    const qint64 kilobytes = received / 1024;
    QString size;
    if (kilobytes != 0) {
        // Digit groups even where the locale leaves them out by default (the C locale).
        QLocale grouped = locale;
        grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
        size = grouped.toString(kilobytes);
    }
    return size + QStringLiteral(" kb - ") + QString::number(percent) + QLatin1Char('%');
}
