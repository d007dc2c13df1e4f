#pragma once

#include <QLabel>
#include <QList>
#include <QPoint>

// A text of the clock screen. Lines are as high as the design's platform makes them (WindowsLineMetrics)
// and each is drawn on the baseline that platform uses: the font's Windows ascent below the line's top.
// Auto-size elements are measured with the same line height, so text and element agree.
class ClockLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

    // Where each line of the text starts on its baseline, in the label's own pixels.
    QList<QPoint> lineOrigins() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
