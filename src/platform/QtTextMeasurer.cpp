#include "QtTextMeasurer.h"

#include "DesignFont.h"
#include "DesignUnits.h"
#include "WindowsLineMetrics.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <cmath>

QtTextMeasurer::QtTextMeasurer()
{
    DesignFont::ensureTahoma();
}

double QtTextMeasurer::twipsPerPixelX()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return DesignUnits::twipsPerPixel(screen ? screen->logicalDotsPerInchX() : 0);
}

double QtTextMeasurer::twipsPerPixelY()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return DesignUnits::twipsPerPixel(screen ? screen->logicalDotsPerInchY() : 0);
}

QFont QtTextMeasurer::clockFont(double pointSize, bool bold)
{
    return DesignFont::tahoma(pointSize > 0 ? pointSize : 8, bold);
}

QSize QtTextMeasurer::measure(const QString& text, double pointSize, bool bold) const
{
    const QFont font = clockFont(pointSize, bold);
    const QFontMetrics metrics(font);
    // Lines as high as the design's platform makes them, so that stacked texts keep its spacing.
    const int lineHeight = WindowsLineMetrics(font).height();
    const QStringList lines = QString(text).remove(u'\r').split(u'\n');
    int width = 0;
    for (const QString& line : lines) {
        width = qMax(width, metrics.horizontalAdvance(line));
    }
    return QSize(int(std::lround(width * twipsPerPixelX())),
                 int(std::lround(double(lines.size()) * lineHeight * twipsPerPixelY())));
}
