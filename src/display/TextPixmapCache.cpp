#include "TextPixmapCache.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>

namespace {

// Qt's own limit for glyphs it keeps rasterised (QT_MAX_CACHED_GLYPH_SIZE).
constexpr int outlineGlyphPixels = 64;

int dotsPerMeter(int dpi)
{
    return int(std::lround(dpi / 0.0254));
}

// The smallest rectangle holding every pixel with some ink.
QRect inkBounds(const QImage& image)
{
    int left = image.width();
    int right = -1;
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] != 0) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = y;
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

TextPixmapCache::TextPixmapCache(qint64 maxBytes) : m_pictures(maxBytes) {}

TextPixmapCache& TextPixmapCache::shared()
{
    // The timer's digits and colon at 3840x2160 with room for the other large texts.
    static TextPixmapCache cache(24 * 1024 * 1024);
    return cache;
}

bool TextPixmapCache::worthCaching(const QFont& font, qreal devicePixelRatio)
{
    return QFontInfo(font).pixelSize() * devicePixelRatio > outlineGlyphPixels;
}

void TextPixmapCache::draw(QPainter& painter, const QStringList& lines, const QList<QPoint>& origins,
                           const QFont& font, const QColor& colour, int dpiX, int dpiY)
{
    const qreal ratio = painter.device()->devicePixelRatioF();
    QString key = lines.join(u'\n');
    key += u'\x1f' + font.key() + u'\x1f' + colour.name(QColor::HexArgb) +
           QStringLiteral("\x1f%1\x1f%2\x1f%3").arg(ratio).arg(dpiX).arg(dpiY);
    for (const QPoint& origin : origins) {
        key += QStringLiteral("\x1f%1,%2").arg(origin.x()).arg(origin.y());
    }
    const Picture* picture = m_pictures.object(key);
    if (picture == nullptr) {
        auto made = std::make_unique<Picture>(render(lines, origins, font, colour, ratio, dpiX, dpiY));
        const qint64 cost = qint64(made->pixmap.width()) * made->pixmap.height() * 4;
        if (cost > m_pictures.maxCost()) {
            // Too large to keep: drawn straight away.
            painter.drawPixmap(made->topLeft, made->pixmap);
            return;
        }
        picture = made.get();
        m_pictures.insert(key, made.release(), cost);
    }
    if (!picture->pixmap.isNull()) {
        painter.drawPixmap(picture->topLeft, picture->pixmap);
    }
}

TextPixmapCache::Picture TextPixmapCache::render(const QStringList& lines, const QList<QPoint>& origins,
                                                 const QFont& font, const QColor& colour, qreal ratio,
                                                 int dpiX, int dpiY)
{
    const QFontMetrics metrics(font);
    // Room for every glyph's ink around its origin, with a margin for what the metrics leave out.
    QRect extent;
    for (int i = 0; i < lines.size(); ++i) {
        const int margin = metrics.height();
        extent |= metrics.boundingRect(lines.at(i))
                      .translated(origins.at(i))
                      .adjusted(-margin, -margin, margin, margin);
    }
    if (extent.isEmpty()) {
        return {};
    }
    QImage image((QSizeF(extent.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.setDotsPerMeterX(dotsPerMeter(dpiX));
    image.setDotsPerMeterY(dotsPerMeter(dpiY));
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.translate(-extent.topLeft());
        painter.setFont(font);
        painter.setPen(colour);
        for (int i = 0; i < lines.size(); ++i) {
            painter.drawText(origins.at(i), lines.at(i));
        }
    }
    const QRect ink = inkBounds(image);
    if (ink.isNull()) {
        return {};
    }
    QImage kept = image.copy(ink);
    kept.setDevicePixelRatio(ratio);
    return {QPixmap::fromImage(std::move(kept)), QPointF(extent.topLeft()) + QPointF(ink.topLeft()) / ratio};
}

qint64 TextPixmapCache::bytes() const
{
    return m_pictures.totalCost();
}

int TextPixmapCache::count() const
{
    return int(m_pictures.size());
}
