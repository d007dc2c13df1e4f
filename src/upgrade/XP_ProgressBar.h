#pragma once

#include <QImage>
#include <QRgb>
#include <QWidget>

// A progress bar that draws itself, pixel for pixel the same on every platform, in ten looks chosen by
// Scrolling. It draws into an off-screen image of its own size and copies that to the window.
class XP_ProgressBar : public QWidget
{
    Q_OBJECT

public:
    // The system highlight colour, as a colour value with the top bit set.
    static constexpr quint32 SystemHighlight = 0x8000000Du;

    explicit XP_ProgressBar(QWidget* parent = nullptr);

    // Colour values hold red in the lowest byte, green in the next and blue in the third; the top bit
    // marks a system colour index instead.
    static QRgb fromColourValue(quint32 value);
    // Per channel a + (255 - a) x c / 255, the shade the looks use for their light parts.
    static QRgb lighter(QRgb colour, int amount);

    qint32 Min() const { return m_min; }
    void setMin(qint32 min) { m_min = min; }
    qint32 Max() const { return m_max; }
    void setMax(qint32 max) { m_max = max; }
    // Stores value x 100 / Max + Min as a whole percentage; that percentage is what reads back.
    qint32 Value() const { return m_percent; }
    void setValue(qint32 value);
    QRgb Color() const { return m_color; }
    void setColor(quint32 colourValue);
    qint32 Orientation() const { return m_orientation; }
    void setOrientation(qint32 orientation);
    qint32 Scrolling() const { return m_style; }
    void setScrolling(qint32 style);
    bool ShowText() const { return m_showText; }
    void setShowText(bool show);
    qint32 BrushStyle() const { return m_brushStyle; }
    void setBrushStyle(qint32 style) { m_brushStyle = style; }
    QImage Image() const { return m_image; }
    void setImage(const QImage& image);

    // The off-screen picture as last drawn.
    const QImage& surface() const { return m_surface; }
    void redraw();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Draws the off-screen picture from the current values.
    void drawSurface();
    qint32 m_min = 0;
    qint32 m_max = 100;
    qint32 m_percent = 0;
    QRgb m_color;
    qint32 m_orientation = 0;
    qint32 m_style = 0;
    bool m_showText = false;
    qint32 m_brushStyle = 4;
    QImage m_image;
    QImage m_surface;

    void drawDefaultLook(int percent);
    void drawOtherLook(int percent);
    void drawFrame();
    void drawText(int percent);
    int barEnd(int percent) const;
};
