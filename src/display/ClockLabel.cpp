#include "ClockLabel.h"

#include "platform/WindowsLineMetrics.h"

#include <QFontMetrics>
#include <QPainter>

QList<QPoint> ClockLabel::lineOrigins() const
{
    const WindowsLineMetrics line(font());
    const QFontMetrics metrics(font());
    const QStringList lines = text().split(u'\n');
    const QRect box = contentsRect();
    const Qt::Alignment align = alignment();
    const int blockHeight = int(lines.size()) * line.height();
    const int blockTop =
        align.testFlag(Qt::AlignVCenter) ? box.top() + (box.height() - blockHeight) / 2 : box.top();
    QList<QPoint> origins;
    for (int i = 0; i < lines.size(); ++i) {
        const int width = metrics.horizontalAdvance(lines.at(i));
        const int x = align.testFlag(Qt::AlignRight)     ? box.right() + 1 - width
                      : align.testFlag(Qt::AlignHCenter) ? box.left() + (box.width() - width) / 2
                                                         : box.left();
        origins.append(QPoint(x, blockTop + i * line.height() + line.ascent()));
    }
    return origins;
}

void ClockLabel::paintEvent(QPaintEvent* event)
{
    if (!pixmap().isNull() || text().isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QStringList lines = text().split(u'\n');
    const QList<QPoint> origins = lineOrigins();
    for (int i = 0; i < lines.size(); ++i) {
        painter.drawText(origins.at(i), lines.at(i));
    }
}
