#include "WidgetSizerHost.h"

#include <QVariant>
#include <cmath>

WidgetSizerHost::WidgetSizerHost(QWidget& window) : m_window(window) {}

QList<QWidget*> WidgetSizerHost::widgets() const
{
    return m_window.findChildren<QWidget*>();
}

void WidgetSizerHost::addItem(const QString& name, std::optional<int> index, Getter get, Setter set)
{
    m_items.push_back(Item{name, index, std::move(get), std::move(set)});
}

int WidgetSizerHost::controlCount() const
{
    return int(widgets().size() + qsizetype(m_items.size()));
}

QString WidgetSizerHost::controlName(int control) const
{
    const QList<QWidget*> list = widgets();
    return control < list.size() ? list[control]->objectName() : m_items[size_t(control - list.size())].name;
}

std::optional<int> WidgetSizerHost::controlIndex(int control) const
{
    const QList<QWidget*> list = widgets();
    if (control >= list.size()) {
        return m_items[size_t(control - list.size())].index;
    }
    const QVariant index = list[control]->property("index");
    return index.isValid() ? std::optional<int>(index.toInt()) : std::nullopt;
}

std::optional<double> WidgetSizerHost::property(int control, Property property) const
{
    const QList<QWidget*> list = widgets();
    if (control >= list.size()) {
        return m_items[size_t(control - list.size())].get(property);
    }
    const QWidget* w = list[control];
    switch (property) {
    case Property::Top:
        return w->y();
    case Property::Left:
        return w->x();
    case Property::Width:
        return w->width();
    case Property::Height:
        return w->height();
    case Property::FontSize:
        if (w->font().pointSizeF() > 0) {
            return w->font().pointSizeF();
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

bool WidgetSizerHost::setProperty(int control, Property property, double value)
{
    const QList<QWidget*> list = widgets();
    if (control >= list.size()) {
        return m_items[size_t(control - list.size())].set(property, value);
    }
    QWidget* w = list[control];
    const int pixels = int(std::lround(value));
    switch (property) {
    case Property::Top:
        w->move(w->x(), pixels);
        return true;
    case Property::Left:
        w->move(pixels, w->y());
        return true;
    case Property::Width:
        w->resize(pixels, w->height());
        return true;
    case Property::Height:
        w->resize(w->width(), pixels);
        return true;
    case Property::FontSize: {
        if (value <= 0) {
            return false;
        }
        QFont font = w->font();
        font.setPointSizeF(value);
        w->setFont(font);
        return true;
    }
    default:
        return false;
    }
}

double WidgetSizerHost::innerWidth() const
{
    return m_window.contentsRect().width();
}

double WidgetSizerHost::innerHeight() const
{
    return m_window.contentsRect().height();
}

void WidgetSizerHost::hideHost()
{
    // Held back rather than unmapped, so a full-screen window stays where it is and is drawn once.
    m_window.setUpdatesEnabled(false);
}

void WidgetSizerHost::showHost()
{
    m_window.setUpdatesEnabled(true);
}
