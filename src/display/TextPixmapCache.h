#pragma once

#include <QCache>
#include <QColor>
#include <QFont>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QStringList>

class QPainter;

// Large texts drawn from pictures made once, line by line. Qt rasterises glyphs above 64 device pixels from
// their outlines at every paint, and the clock's digits are hundreds of pixels high; a digit cell shows one
// of a few texts, so each is kept as a picture of its ink and blended in. Bounded by the bytes held.
class TextPixmapCache
{
public:
    explicit TextPixmapCache(qint64 maxBytes);

    // The one cache of the program's labels.
    static TextPixmapCache& shared();

    // Whether a text in this font is drawn through the cache: only where Qt draws from outlines.
    static bool worthCaching(const QFont& font, qreal devicePixelRatio);

    // Draws the lines, each on its baseline origin, as painter.drawText() would draw them there.
    // dpi is the logical resolution the font's point size is taken at (the painted widget's).
    void draw(QPainter& painter, const QStringList& lines, const QList<QPoint>& origins, const QFont& font,
              const QColor& colour, int dpiX, int dpiY);

    qint64 bytes() const;
    int count() const;

private:
    struct Picture
    {
        QPixmap pixmap;
        QPointF topLeft;
    };

    // One line drawn on its baseline at origin (within a device pixel of the picture's origin).
    static Picture render(const QString& line, QPointF origin, const QFont& font, const QColor& colour,
                          qreal ratio, int dpiX, int dpiY);

    QCache<QString, Picture> m_pictures;
    struct Style
    {
        QFont font;
        QColor colour;
        qreal ratio = 0;
        int dpiX = 0;
        int dpiY = 0;
        QString key;
    };
    Style m_style;
};
