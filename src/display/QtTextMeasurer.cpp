#include "QtTextMeasurer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

QtTextMeasurer::QtTextMeasurer()
{
    ensureTahoma();
}

bool QtTextMeasurer::ensureTahoma()
{
    static const bool available = [] {
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive)) {
            return true;
        }
        bool added = false;
        for (const char* file : {"tahoma.ttf", "tahomabd.ttf"}) {
            const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(file);
            added = QFontDatabase::addApplicationFont(path) >= 0 || added;
        }
        return added;
    }();
    return available;
}

QFont QtTextMeasurer::clockFont(double pointSize, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(bold);
    font.setPointSizeF(pointSize > 0 ? pointSize : 8);
    return font;
}

QSize QtTextMeasurer::measure(const QString& text, double pointSize, bool bold) const
{
    const QFontMetrics metrics(clockFont(pointSize, bold));
    const QStringList lines = QString(text).remove(u'\r').split(u'\n');
    int width = 0;
    for (const QString& line : lines) {
        width = qMax(width, metrics.horizontalAdvance(line));
    }
    return QSize(width * TwipsPerPixel, int(lines.size()) * metrics.height() * TwipsPerPixel);
}
