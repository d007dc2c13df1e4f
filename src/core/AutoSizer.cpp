#include "AutoSizer.h"

#include <QEvent>
#include <cmath>
#include <span>

namespace {

using Property = AutoSizerHost::Property;

struct Entry
{
    Property property;
    const char* suffix;
    bool byHeight;
};

constexpr Entry Box[] = {{Property::Top, ".top", true},
                         {Property::Left, ".left", false},
                         {Property::Width, ".width", false},
                         {Property::Height, ".height", true},
                         {Property::FontSize, ".fsz", true}};
constexpr Entry Line[] = {{Property::Y1, ".y1", true},
                          {Property::X1, ".x1", false},
                          {Property::X2, ".x2", false},
                          {Property::Y2, ".y2", true}};

} // namespace

AutoSizer::AutoSizer(AutoSizerHost& host, QObject* window, QObject* parent)
    : QObject(parent), m_host(host), m_window(window)
{
    m_tmrint.setSingleShot(true);
    m_tmrint.setInterval(10);
    connect(&m_tmrint, &QTimer::timeout, this, [this] {
        m_tmrint.stop();
        GetProps();
    });
    m_tmrint.start();
}

QString AutoSizer::controlKey(const QString& name, std::optional<int> index)
{
    return index ? QStringLiteral("%1(%2)").arg(name).arg(*index) : name;
}

bool AutoSizer::isLine(int control) const
{
    const std::optional<double> x1 = m_host.property(control, Property::X1);
    return x1 && std::lround(*x1) != -1;
}

void AutoSizer::record(const QString& key, int control, Property property, double inner)
{
    if (inner == 0 || m_layoutRatios.contains(key)) {
        return;
    }
    if (const std::optional<double> value = m_host.property(control, property)) {
        m_layoutRatios.insert(key, *value / inner);
    }
}

void AutoSizer::apply(const QString& key, int control, Property property, double inner)
{
    const auto it = m_layoutRatios.constFind(key);
    if (it != m_layoutRatios.constEnd()) {
        m_host.setProperty(control, property, inner * *it);
    }
}

void AutoSizer::GetProps()
{
    if (m_frm) {
        return;
    }
    if (m_window) {
        m_frm = m_window;
        m_frm->installEventFilter(this);
    } else {
        m_frm = this;
    }
    const double width = m_host.innerWidth();
    const double height = m_host.innerHeight();
    for (int control = 0; control < m_host.controlCount(); ++control) {
        const QString key = controlKey(m_host.controlName(control), m_host.controlIndex(control));
        for (const Entry& e : isLine(control) ? std::span<const Entry>(Line) : std::span<const Entry>(Box)) {
            record(key + QLatin1String(e.suffix), control, e.property, e.byHeight ? height : width);
        }
    }
}

void AutoSizer::apply()
{
    m_host.hideHost();
    const double width = m_host.innerWidth();
    const double height = m_host.innerHeight();
    for (int control = 0; control < m_host.controlCount(); ++control) {
        const QString key = controlKey(m_host.controlName(control), m_host.controlIndex(control));
        for (const Entry& e : isLine(control) ? std::span<const Entry>(Line) : std::span<const Entry>(Box)) {
            apply(key + QLatin1String(e.suffix), control, e.property, e.byHeight ? height : width);
        }
    }
    m_host.showHost();
}

void AutoSizer::follow(int control, Property property)
{
    if (!m_frm || control < 0 || control >= m_host.controlCount()) {
        return;
    }
    const QString key = controlKey(m_host.controlName(control), m_host.controlIndex(control));
    for (const Entry& e : isLine(control) ? std::span<const Entry>(Line) : std::span<const Entry>(Box)) {
        if (e.property == property) {
            const QString entry = key + QLatin1String(e.suffix);
            const double inner = e.byHeight ? m_host.innerHeight() : m_host.innerWidth();
            const std::optional<double> value = m_host.property(control, property);
            if (inner != 0 && value) {
                m_layoutRatios.insert(entry, *value / inner);
            }
        }
    }
}

bool AutoSizer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_frm && event->type() == QEvent::Resize) {
        apply();
    }
    return QObject::eventFilter(watched, event);
}
