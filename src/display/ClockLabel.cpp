#include "ClockLabel.h"

#include "TextPixmapCache.h"
#include "platform/WindowsLineMetrics.h"

#include <QFontMetrics>
#include <QPainter>

ClockLabel::ClockLabel(QWidget* parent) : QLabel(parent) {}

void ClockLabel::setTextCache(TextPixmapCache* cache)
{
    m_textCache = cache;
}

QList<QPoint> ClockLabel::lineOrigins() const
{
    if (m_measured.box != contentsRect() || m_measured.align != alignment() || m_measured.font != font() ||
        m_measured.origins.size() > 32) {
        m_measured = {font(), contentsRect(), alignment(), {}};
    }
    if (const auto known = m_measured.origins.constFind(text()); known != m_measured.origins.cend()) {
        return *known;
    }
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
    m_measured.origins.insert(text(), origins);
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
    const QStringList lines = text().split(u'\n');
    const QList<QPoint> origins = lineOrigins();
    const QColor colour = palette().color(foregroundRole());
    if (m_textCache != nullptr && TextPixmapCache::worthCaching(font(), devicePixelRatioF())) {
        m_textCache->draw(painter, lines, origins, font(), colour, logicalDpiX(), logicalDpiY());
        return;
    }
    painter.setFont(font());
    painter.setPen(colour);
    for (int i = 0; i < lines.size(); ++i) {
        painter.drawText(origins.at(i), lines.at(i));
    }
}
