#pragma once

#include "RgbColour.h"
#include "ScreenElement.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class TextMeasurer;

// Every element of the clock screen, with its design captions, fonts, colours and visibility. The five
// clock digits are lblTimer0 to lblTimer4 (timerId). All changes go through the setters, which keep
// auto-size elements measured and count changes. An id outside the enumeration throws ProgrammingError.
class ClockScreenModel
{
public:
    // Inner size of the window as first created, in twips.
    static constexpr int DesignWidth = 18075;
    static constexpr int DesignHeight = 10140;
    static constexpr int DigitCount = TimerDigitCount;

    explicit ClockScreenModel(const TextMeasurer& measurer);

    const ScreenElement& element(ScreenElementId id) const;
    const ScreenElement& timer(int index) const { return element(timerId(index)); }
    const std::vector<ScreenElement>& elements() const { return m_elements; }
    QStringList names() const;

    QString caption(ScreenElementId id) const { return element(id).caption; }
    bool isVisible(ScreenElementId id) const { return element(id).visible; }

    void setCaption(ScreenElementId id, const QString& caption);
    void setVisible(ScreenElementId id, bool visible);
    void setLeft(ScreenElementId id, int left);
    void setTop(ScreenElementId id, int top);
    void setWidth(ScreenElementId id, int width);
    void setHeight(ScreenElementId id, int height);
    void setForeColour(ScreenElementId id, RgbColour colour);
    void setBackColour(ScreenElementId id, RgbColour colour);
    void setFillSolid(ScreenElementId id, bool solid);
    void setOpaque(ScreenElementId id, bool opaque);
    void setFontSize(ScreenElementId id, double pointSize);

    int screenWidth() const { return m_screenWidth; }
    int screenHeight() const { return m_screenHeight; }
    void setScreenSize(int width, int height);

    RgbColour backColour() const { return m_backColour; }
    void setBackColour(RgbColour colour) { m_backColour = colour; }

    // Grows with every change of any element or of the screen.
    int revision() const { return m_revision; }

    const TextMeasurer& measurer() const { return m_measurer; }

    // Called on every change, e.g. to let a window schedule its redraw.
    std::function<void()> changed;
    // Called when a new caption moved an auto-size text sideways to keep its centre or right edge.
    std::function<void(ScreenElementId)> realigned;

private:
    const TextMeasurer& m_measurer;
    std::vector<ScreenElement> m_elements;
    int m_screenWidth = DesignWidth;
    int m_screenHeight = DesignHeight;
    RgbColour m_backColour{0, 0, 128};
    int m_revision = 0;

    ScreenElement& add(ScreenElement element);
    ScreenElement& edit(ScreenElementId id);
    void measure(ScreenElement& element);

    template <typename T> void change(ScreenElementId id, T ScreenElement::*member, const T& value)
    {
        if (element(id).*member != value) {
            edit(id).*member = value;
        }
    }
};
