#include "ClockScreenSizerHost.h"

#include "core/ClockScreenModel.h"

#include <cmath>

ClockScreenSizerHost::ClockScreenSizerHost(ClockScreenModel& screen) : m_screen(screen) {}

int ClockScreenSizerHost::controlCount() const
{
    return int(m_screen.elements().size());
}

QString ClockScreenSizerHost::controlName(int control) const
{
    const ScreenElement& e = m_screen.elements()[size_t(control)];
    return timerIndex(e.id) ? timerArrayName() : e.name;
}

std::optional<int> ClockScreenSizerHost::controlIndex(int control) const
{
    return timerIndex(m_screen.elements()[size_t(control)].id);
}

std::optional<double> ClockScreenSizerHost::property(int control, Property property) const
{
    const ScreenElement& e = m_screen.elements()[size_t(control)];
    switch (property) {
    case Property::Top:
        return e.top;
    case Property::Left:
        return e.left;
    case Property::Width:
        return e.width;
    case Property::Height:
        return e.height;
    case Property::FontSize:
        if (e.kind == ScreenElement::Kind::Text) {
            return e.fontSize;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

bool ClockScreenSizerHost::setProperty(int control, Property property, double value)
{
    const ScreenElement& e = m_screen.elements()[size_t(control)];
    const bool autoSized = e.kind == ScreenElement::Kind::Text && e.autoSize;
    const int twips = int(std::lround(value));
    switch (property) {
    case Property::Top:
        m_screen.setTop(e.id, twips);
        return true;
    case Property::Left:
        m_screen.setLeft(e.id, twips);
        return true;
    case Property::Width:
        if (autoSized) {
            return false;
        }
        m_screen.setWidth(e.id, twips);
        return true;
    case Property::Height:
        if (autoSized) {
            return false;
        }
        m_screen.setHeight(e.id, twips);
        return true;
    case Property::FontSize:
        if (e.kind != ScreenElement::Kind::Text || value <= 0) {
            return false;
        }
        m_screen.setFontSize(e.id, value);
        return true;
    default:
        return false;
    }
}

double ClockScreenSizerHost::innerWidth() const
{
    return m_screen.screenWidth();
}

double ClockScreenSizerHost::innerHeight() const
{
    return m_screen.screenHeight();
}

void ClockScreenSizerHost::hideHost()
{
    if (beginPass) {
        beginPass();
    }
}

void ClockScreenSizerHost::showHost()
{
    if (endPass) {
        endPass();
    }
}
