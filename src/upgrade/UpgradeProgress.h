#pragma once

#include <QLocale>
#include <QString>

// What the upgrade window shows while a file arrives.
class UpgradeProgress
{
public:
    // Whole percent of received out of total, 0 to 100; 0 while the size is unknown (total 0).
    static int percent(qint64 received, qint64 total);
    // "1,205 kb - 50%": whole kilobytes in digit groups (nothing for 0), then the percentage.
    static QString sizeText(qint64 received, int percent, const QLocale& locale = QLocale::system());
};
