#include "QtTextMeasurer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <cmath>

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

namespace {

double twipsPerPixel(double dotsPerInch)
{
    return dotsPerInch > 0 ? 1440.0 / dotsPerInch : 15.0;
}

} // namespace

double QtTextMeasurer::twipsPerPixelX()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return twipsPerPixel(screen ? screen->logicalDotsPerInchX() : 0);
}

double QtTextMeasurer::twipsPerPixelY()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return twipsPerPixel(screen ? screen->logicalDotsPerInchY() : 0);
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
    return QSize(int(std::lround(width * twipsPerPixelX())),
                 int(std::lround(double(lines.size()) * metrics.height() * twipsPerPixelY())));
}
