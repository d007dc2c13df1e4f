#include "XP_ProgressBar.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace {

constexpr QRgb White = 0xFFFFFFFFu;
constexpr QRgb Silver = 0xFFC0C0C0u;

int roundEven(double value)
{
    return int(std::nearbyint(value));
}

// Pixel-exact drawing on the off-screen image; everything outside the image is dropped.
class Pixels
{
public:
    explicit Pixels(QImage& image) : m_image(image) {}

    void set(int x, int y, QRgb colour)
    {
        if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height()) {
            m_image.setPixel(x, y, colour);
        }
    }
    // Both lines leave out their end point.
    void hline(int x0, int x1, int y, QRgb colour)
    {
        for (int x = x0; x < x1; ++x) {
            set(x, y, colour);
        }
    }
    void vline(int x, int y0, int y1, QRgb colour)
    {
        for (int y = y0; y < y1; ++y) {
            set(x, y, colour);
        }
    }
    void fill(int x0, int y0, int x1, int y1, QRgb colour)
    {
        for (int y = y0; y < y1; ++y) {
            hline(x0, x1, y, colour);
        }
    }
    void border(QRgb colour)
    {
        const int w = m_image.width();
        const int h = m_image.height();
        hline(0, w, 0, colour);
        hline(0, w, h - 1, colour);
        vline(0, 0, h, colour);
        vline(w - 1, 0, h, colour);
    }

private:
    QImage& m_image;
};

int channelStep(int a, int b, int i, int n)
{
    return roundEven(a + double(b - a) * i / n);
}

// Line i of n + 1 lines from colour a to colour b.
QRgb gradientLine(QRgb a, QRgb b, int i, int n)
{
    if (n == 0) {
        return a;
    }
    return qRgb(channelStep(qRed(a), qRed(b), i, n), channelStep(qGreen(a), qGreen(b), i, n),
                channelStep(qBlue(a), qBlue(b), i, n));
}

QRgb colourValue(quint32 value)
{
    return XP_ProgressBar::fromColourValue(value);
}

QPalette::ColorRole systemColourRole(quint32 index)
{
    switch (index) {
    case 4:
    case 15:
        return QPalette::Button;
    case 5:
        return QPalette::Base;
    case 7:
    case 8:
    case 18:
        return QPalette::WindowText;
    case 14:
        return QPalette::HighlightedText;
    case 16:
        return QPalette::Dark;
    case 20:
        return QPalette::Light;
    default:
        return QPalette::Highlight;
    }
}

Qt::BrushStyle hatchPattern(int number)
{
    switch (number) {
    case 0:
        return Qt::HorPattern;
    case 1:
        return Qt::VerPattern;
    case 2:
        return Qt::FDiagPattern;
    case 3:
        return Qt::BDiagPattern;
    case 5:
        return Qt::DiagCrossPattern;
    default:
        return Qt::CrossPattern;
    }
}

} // namespace

XP_ProgressBar::XP_ProgressBar(QWidget* parent) : QWidget(parent), m_color(fromColourValue(SystemHighlight))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_surface = QImage(QSize(1, 1), QImage::Format_RGB32);
    m_surface.fill(White);
}

QRgb XP_ProgressBar::fromColourValue(quint32 value)
{
    if (value & 0x80000000u) {
        return QGuiApplication::palette().color(systemColourRole(value & 0xFFu)).rgb();
    }
    return qRgb(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QRgb XP_ProgressBar::lighter(QRgb colour, int amount)
{
    const auto channel = [amount](int c) { return std::min(255, amount + (255 - amount) * c / 255); };
    return qRgb(channel(qRed(colour)), channel(qGreen(colour)), channel(qBlue(colour)));
}

void XP_ProgressBar::setValue(qint32 value)
{
    // A range of no width has no position in it.
    const double percent = m_max == 0 ? 0.0 : double(value) * 100.0 / m_max + m_min;
    m_percent = roundEven(std::clamp(percent, -1.0e9, 1.0e9));
    redraw();
}

void XP_ProgressBar::setColor(quint32 colourValue)
{
    m_color = fromColourValue(colourValue);
    redraw();
}

void XP_ProgressBar::setOrientation(qint32 orientation)
{
    m_orientation = orientation;
    redraw();
}

void XP_ProgressBar::setScrolling(qint32 style)
{
    m_style = style;
    redraw();
}

void XP_ProgressBar::setShowText(bool show)
{
    m_showText = show;
    redraw();
}

void XP_ProgressBar::setImage(const QImage& image)
{
    m_image = image;
    redraw();
}

void XP_ProgressBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    redraw();
}

void XP_ProgressBar::paintEvent(QPaintEvent*)
{
    // Drawn anew, so what was only stored (font, hatch) shows at the next paint.
    drawSurface();
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void XP_ProgressBar::redraw()
{
    drawSurface();
    update();
}

void XP_ProgressBar::drawSurface()
{
    // A hidden widget gets its resize event only when shown; its picture must follow the size already.
    const QSize surfaceSize = size().expandedTo(QSize(1, 1));
    if (m_surface.size() != surfaceSize) {
        m_surface = QImage(surfaceSize, QImage::Format_RGB32);
    }
    const int percent = std::min(m_percent, 100);
    m_surface.fill(m_style == 6 ? qRgb(0, 0, 0) : White);
    if (m_style >= 3 && m_style <= 9) {
        drawOtherLook(percent);
    } else {
        drawDefaultLook(percent);
    }
    if (m_showText) {
        drawText(percent);
    }
}

void XP_ProgressBar::drawDefaultLook(int percent)
{
    Pixels px(m_surface);
    const int w = m_surface.width();
    const int h = m_surface.height();
    const QRgb colour = m_color;
    const QRgb light = lighter(colour, 150);
    const int block = m_style == 0 ? 6 : 0;
    const int step = block + 2;
    const double fraction = std::max(0.0, percent / 98.0);

    if (m_orientation == 0) {
        int end = roundEven(fraction * (w - 3) + 3);
        end -= (end - 3) % step;
        end = std::max(end, 3);
        if (end <= 14) {
            end = 12;
        }
        if (m_style == 2) {
            for (int k = 0; k < 3; ++k) {
                const int from = roundEven(end + 12 * k - (100 - percent) * 0.45);
                const QRgb a = lighter(colour, 220 - 40 * k);
                const QRgb b = lighter(colour, 200 - 40 * k);
                const int n = h - 7;
                for (int i = 0; i <= n; ++i) {
                    px.hline(std::max(from, 3), std::min(from + 10, w - 3), 3 + i, gradientLine(a, b, i, n));
                }
            }
        } else {
            const int right = w < end + 4 ? end - 4 : end;
            for (int i = 0; i <= 6; ++i) {
                px.hline(4, right, 3 + i, gradientLine(light, colour, i, 6));
            }
            px.fill(4, 8, right, h - 8, colour);
            for (int i = 0; i <= 6; ++i) {
                px.hline(4, right, h - 10 + i, gradientLine(colour, light, i, 6));
            }
            if (m_style == 0) {
                for (int gap = 3 + block; gap < right; gap += step) {
                    px.fill(gap, 3, gap + 2, h - 3, White);
                }
            }
        }
    } else {
        int top = roundEven(h * (1.0 - fraction));
        const int rest = (h - top) % step;
        top = std::min(top + (rest < 0 ? rest + step : rest), h);
        if (m_style == 2) {
            for (int k = 0; k < 3; ++k) {
                const int bottom = roundEven(top - 12 * k + (100 - percent) * 0.45);
                const QRgb a = lighter(colour, 220 - 40 * k);
                const QRgb b = lighter(colour, 200 - 40 * k);
                const int n = w - 7;
                for (int i = 0; i <= n; ++i) {
                    px.vline(3 + i, std::max(bottom - 10, 3), std::min(bottom, h - 3),
                             gradientLine(a, b, i, n));
                }
            }
        } else {
            for (int i = 0; i <= 4; ++i) {
                px.vline(4 + i, top, h, gradientLine(light, colour, i, 4));
            }
            px.fill(9, top, w - 8, h, colour);
            for (int i = 0; i <= 4; ++i) {
                px.vline(w - 8 + i, top, h, gradientLine(colour, light, i, 4));
            }
            if (m_style == 0) {
                for (int gap = h - block; gap > top; gap -= step) {
                    px.fill(3, std::max(gap - 2, top), w - 3, gap, White);
                }
            }
        }
    }
    drawFrame();
}

void XP_ProgressBar::drawFrame()
{
    Pixels px(m_surface);
    const int w = m_surface.width();
    const int h = m_surface.height();
    const QRgb grey = colourValue(12500670);
    const QRgb pale = colourValue(15724527);
    const QRgb dark = colourValue(6842472);
    const QRgb mid = colourValue(10922924);
    const QRgb midDark = colourValue(8224383);
    const QRgb midLight = colourValue(10988460);
    const QRgb shadow = colourValue(7829367);

    px.hline(2, w - 2, 1, grey);
    px.vline(1, 2, h - 2, grey);
    px.hline(2, w - 2, h - 2, pale);
    px.vline(2, 2, h - 2, pale);
    px.hline(2, w - 2, 2, pale);
    px.vline(w - 2, 2, h - 2, pale);
    px.border(dark);

    px.set(0, 0, White);
    px.set(0, 1, mid);
    px.set(0, 2, midDark);
    px.set(1, 0, midLight);
    px.set(1, 1, shadow);
    px.set(2, 0, midDark);
    px.set(2, 2, grey);

    px.set(0, h - 1, White);
    px.set(1, h - 1, mid);
    px.set(2, h - 1, midDark);
    px.set(0, h - 3, midDark);
    px.set(0, h - 2, midLight);
    px.set(1, h - 2, shadow);

    px.set(w - 1, 0, White);
    px.set(w - 1, 1, grey);
    px.set(w - 1, 2, midDark);
    px.set(w - 2, 2, grey);
    px.set(w - 2, 1, dark);

    px.set(w - 1, h - 1, White);
    px.set(w - 1, h - 2, grey);
    px.set(w - 1, h - 3, midDark);
    px.set(w - 2, h - 2, shadow);
    px.set(w - 2, h - 1, grey);
    px.set(w - 3, h - 1, midDark);
}

int XP_ProgressBar::barEnd(int percent) const
{
    const int full = m_orientation == 0 ? m_surface.width() : m_surface.height();
    const int divisor = (m_style == 5 || m_style == 7 || m_style == 8) ? 101 : 100;
    return std::clamp(roundEven(double(std::max(percent, 0)) * full / divisor), 0, full);
}

void XP_ProgressBar::drawOtherLook(int percent)
{
    const int w = m_surface.width();
    const int h = m_surface.height();
    const QColor colour(m_color);
    const QColor light(lighter(m_color, 150));
    const int length = barEnd(percent);
    const QRect bar = m_orientation == 0 ? QRect(0, 0, length, h) : QRect(0, h - length, w, length);
    const QRect all(0, 0, w, h);
    QPainter p(&m_surface);

    const auto shaded = [&](const QColor& from, const QColor& to) {
        QLinearGradient g = m_orientation == 0 ? QLinearGradient(0, 0, 0, h) : QLinearGradient(0, 0, w, 0);
        g.setColorAt(0, from);
        g.setColorAt(1, to);
        return QBrush(g);
    };
    const auto edge = [&](const QColor& topLeft, const QColor& bottomRight) {
        p.setPen(topLeft);
        p.drawLine(0, 0, w - 1, 0);
        p.drawLine(0, 0, 0, h - 1);
        p.setPen(bottomRight);
        p.drawLine(0, h - 1, w - 1, h - 1);
        p.drawLine(w - 1, 0, w - 1, h - 1);
    };

    switch (m_style) {
    case 3:
        p.fillRect(bar, QColor(lighter(m_color, 100)));
        p.setPen(QColor(lighter(m_color, 60)));
        p.drawRect(all.adjusted(0, 0, -1, -1));
        break;
    case 4:
        p.fillRect(bar.adjusted(2, 2, -2, -2), shaded(QColor(lighter(m_color, 80)), colour));
        edge(Qt::gray, Qt::white);
        p.setPen(Qt::white);
        p.drawRect(all.adjusted(1, 1, -2, -2));
        break;
    case 5:
        p.fillRect(all, shaded(colour, light));
        p.fillRect(bar, shaded(light, colour));
        p.setPen(QColor(lighter(m_color, 60)));
        if (m_orientation == 0) {
            p.drawLine(length, 0, length, h - 1);
        } else {
            p.drawLine(0, h - length, w - 1, h - length);
        }
        p.setPen(light);
        p.drawRect(all.adjusted(0, 0, -1, -1));
        break;
    case 6:
        p.fillRect(bar, shaded(QColor(lighter(m_color, 60)), colour.darker(160)));
        break;
    case 7:
        p.fillRect(bar, light);
        p.fillRect(bar, QBrush(colour, hatchPattern(m_brushStyle)));
        edge(Qt::white, Qt::darkGray);
        p.setPen(Qt::darkGray);
        p.drawRect(all.adjusted(1, 1, -2, -2));
        break;
    case 8:
        if (!m_image.isNull()) {
            p.fillRect(bar, QBrush(m_image));
        }
        edge(Qt::darkGray, Qt::white);
        break;
    default:
        p.fillRect(bar, shaded(QColor(Silver), colour));
        p.setPen(colour.darker(130));
        p.drawRect(all.adjusted(0, 0, -1, -1));
        break;
    }
}

void XP_ProgressBar::drawText(int percent)
{
    const QString text = m_style == 2 ? QStringLiteral("Searching..") : QStringLiteral("%1 %").arg(percent);
    QPainter p(&m_surface);
    p.setFont(font());
    const QRect all = m_surface.rect();
    const QRect textRect = p.fontMetrics().boundingRect(all, Qt::AlignCenter | Qt::TextSingleLine, text);
    const bool twoColours = (m_style == 6 || m_style == 9) && m_orientation == 0;
    const int end = barEnd(percent);
    if (!twoColours || end <= textRect.right()) {
        p.setPen(m_style == 6 ? QColor(Silver) : QColor(Qt::black));
        p.drawText(all, Qt::AlignCenter | Qt::TextSingleLine, text);
    }
    if (twoColours && end >= textRect.left()) {
        p.setClipRect(QRect(0, 0, end, all.height()));
        p.setPen(m_style == 9 ? QColor(Qt::white) : QColor(lighter(m_color, 80)));
        p.drawText(all, Qt::AlignCenter | Qt::TextSingleLine, text);
    }
}
