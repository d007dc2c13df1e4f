#pragma once

#include "RgbColour.h"
#include "ScreenElement.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class TextMeasurer;

// Every element of the clock screen by its name, with its design captions, fonts, colours and visibility.
// The five clock digits are "lblTimer0" to "lblTimer4". All changes go through the setters, which keep
// auto-size elements measured and count changes.
class ClockScreenModel
{
public:
    // Inner size of the window as first created, in twips.
    static constexpr int DesignWidth = 18075;
    static constexpr int DesignHeight = 10140;
    static constexpr int DigitCount = 5;

    explicit ClockScreenModel(const TextMeasurer& measurer);

    static QString timerName(int index) { return QStringLiteral("lblTimer%1").arg(index); }

    const ScreenElement& element(const QString& name) const;
    const ScreenElement& timer(int index) const { return element(timerName(index)); }
    bool contains(const QString& name) const { return m_index.contains(name); }
    const std::vector<ScreenElement>& elements() const { return m_elements; }
    QStringList names() const;

    QString caption(const QString& name) const { return element(name).caption; }
    bool isVisible(const QString& name) const { return element(name).visible; }

    void setCaption(const QString& name, const QString& caption);
    void setVisible(const QString& name, bool visible);
    void setLeft(const QString& name, int left);
    void setTop(const QString& name, int top);
    void setWidth(const QString& name, int width);
    void setHeight(const QString& name, int height);
    void setForeColour(const QString& name, RgbColour colour);
    void setBackColour(const QString& name, RgbColour colour);
    void setFillSolid(const QString& name, bool solid);
    void setOpaque(const QString& name, bool opaque);
    void setFontSize(const QString& name, double pointSize);

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

private:
    const TextMeasurer& m_measurer;
    std::vector<ScreenElement> m_elements;
    QHash<QString, int> m_index;
    int m_screenWidth = DesignWidth;
    int m_screenHeight = DesignHeight;
    RgbColour m_backColour{0, 0, 128};
    int m_revision = 0;

    ScreenElement& add(ScreenElement element);
    ScreenElement& edit(const QString& name);
    void measure(ScreenElement& element);

    template <typename T> void change(const QString& name, T ScreenElement::*member, const T& value)
    {
        if (element(name).*member != value) {
            edit(name).*member = value;
        }
    }
};
