#pragma once

#include <QFont>
#include <QHash>
#include <QLabel>
#include <QList>
#include <QPoint>

class TextPixmapCache;

// A text of the clock screen. Lines are as high as the design's platform makes them (WindowsLineMetrics)
// and each is drawn on the baseline that platform uses: the font's Windows ascent below the line's top.
// Auto-size elements are measured with the same line height, so text and element agree.
class ClockLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClockLabel(QWidget* parent = nullptr);

    // Where each line of the text starts on its baseline, in the label's own pixels.
    QList<QPoint> lineOrigins() const;

    // Where large texts are kept once drawn; none (the default) draws every text from its glyphs.
    void setTextCache(TextPixmapCache* cache);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextPixmapCache* m_textCache = nullptr;
    // Origins of the texts measured in the current font, box and alignment: measuring shapes the text,
    // and a digit cell shows the same few texts again and again.
    struct Measured
    {
        QFont font;
        QRect box;
        Qt::Alignment align;
        QHash<QString, QList<QPoint>> origins;
    };
    mutable Measured m_measured;
};
