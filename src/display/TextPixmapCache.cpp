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
    // At 3840x2160 the ten digits and the colon take about 7 MB, a screen of payout lines 3 MB; the totals'
    // texts that change every second pass through and are the first to go.
    static TextPixmapCache cache(16 * 1024 * 1024);
    return cache;
}

bool TextPixmapCache::worthCaching(const QFont& font, qreal devicePixelRatio)
{
    // On a scaled display the outlines are rasterised a few edge pixels differently through a picture:
    // there the texts are drawn as they come.
    if (devicePixelRatio != 1.0) {
        return false;
    }
    return QFontInfo(font).pixelSize() * devicePixelRatio > outlineGlyphPixels;
}

void TextPixmapCache::draw(QPainter& painter, const QStringList& lines, const QList<QPoint>& origins,
                           const QFont& font, const QColor& colour, int dpiX, int dpiY)
{
    const qreal ratio = painter.device()->devicePixelRatioF();
    // Line by line: the payout list's lines come back as it rotates, its whole text seldom does.
    if (m_style.font != font || m_style.colour != colour || m_style.ratio != ratio || m_style.dpiX != dpiX ||
        m_style.dpiY != dpiY) {
        // The key's part that names the style, made again only when the style changes: QFont::key() is
        // slow for every paint.
        m_style = {font,
                   colour,
                   ratio,
                   dpiX,
                   dpiY,
                   u'\x1f' + font.key() + u'\x1f' + colour.name(QColor::HexArgb) +
                       QStringLiteral("\x1f%1\x1f%2\x1f%3").arg(ratio).arg(dpiX).arg(dpiY)};
    }
    const QString& style = m_style.key;
    for (int i = 0; i < lines.size() && i < origins.size(); ++i) {
        // Where the origin falls between device pixels changes the pixels (on a display scaled by a
        // fraction).
        const QPointF device = QPointF(origins.at(i)) * ratio;
        const QPointF within(device.x() - std::floor(device.x()), device.y() - std::floor(device.y()));
        QString key = lines.at(i) + style;
        if (!within.isNull()) {
            key += QStringLiteral("\x1f%1,%2").arg(within.x()).arg(within.y());
        }
        const Picture* picture = m_pictures.object(key);
        std::unique_ptr<Picture> uncached;
        if (picture == nullptr) {
            auto made = std::make_unique<Picture>(
                render(lines.at(i), within / ratio, font, colour, ratio, dpiX, dpiY));
            const qint64 cost = qint64(made->pixmap.width()) * made->pixmap.height() * 4;
            if (cost > m_pictures.maxCost()) {
                // Too large to keep: drawn once.
                uncached = std::move(made);
                picture = uncached.get();
            } else {
                picture = made.get();
                m_pictures.insert(key, made.release(), qsizetype(cost));
            }
        }
        if (!picture->pixmap.isNull()) {
            painter.drawPixmap(QPointF(origins.at(i)) - within / ratio + picture->topLeft, picture->pixmap);
        }
    }
}

TextPixmapCache::Picture TextPixmapCache::render(const QString& line, QPointF origin, const QFont& font,
                                                 const QColor& colour, qreal ratio, int dpiX, int dpiY)
{
    const QFontMetrics metrics(font);
    if (line.isEmpty()) {
        return {};
    }
    // Room for the glyphs' ink around the origin: their boxes and a small margin first; ink that reaches
    // the picture's edge may have been cut, so then again with a margin as large as a line.
    for (const int margin : {metrics.height() / 8 + 4, metrics.height()}) {
        const QRect extent = metrics.boundingRect(line).adjusted(-margin, -margin, margin, margin);
        QImage image((QSizeF(extent.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.setDotsPerMeterX(dotsPerMeter(dpiX));
        image.setDotsPerMeterY(dotsPerMeter(dpiY));
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.translate(-QPointF(extent.topLeft()));
            painter.setFont(font);
            painter.setPen(colour);
            painter.drawText(origin, line);
        }
        const QRect ink = inkBounds(image);
        if (ink.isNull()) {
            return {};
        }
        const bool atEdge = ink.left() == 0 || ink.top() == 0 || ink.right() == image.width() - 1 ||
                            ink.bottom() == image.height() - 1;
        if (atEdge && margin < metrics.height()) {
            continue;
        }
        QImage kept = image.copy(ink);
        kept.setDevicePixelRatio(ratio);
        return {QPixmap::fromImage(std::move(kept)),
                QPointF(extent.topLeft()) + QPointF(ink.topLeft()) / ratio};
    }
    return {};
}

qint64 TextPixmapCache::bytes() const
{
    return m_pictures.totalCost();
}

int TextPixmapCache::count() const
{
    return int(m_pictures.size());
}
