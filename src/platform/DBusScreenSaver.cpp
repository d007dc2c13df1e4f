#include "DBusScreenSaver.h"

#include "core/AppTitle.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>

namespace {

const QString Service = QStringLiteral("org.freedesktop.ScreenSaver");

QDBusInterface screenSaver()
{
    return QDBusInterface(Service, QStringLiteral("/org/freedesktop/ScreenSaver"), Service,
                          QDBusConnection::sessionBus());
}

} // namespace

DBusScreenSaver::~DBusScreenSaver()
{
    if (m_cookie) {
        setActive(true);
    }
}

bool DBusScreenSaver::isActive()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) {
        return false;
    }
    const QDBusReply<bool> registered = bus.interface()->isServiceRegistered(Service);
    return registered.isValid() && registered.value();
}

bool DBusScreenSaver::setActive(bool active)
{
    if (!QDBusConnection::sessionBus().isConnected()) {
        return false;
    }
    QDBusInterface service = screenSaver();
    if (!active) {
        if (m_cookie) {
            return true;
        }
        const QDBusReply<unsigned int> cookie = service.call(
            QStringLiteral("Inhibit"), AppTitle(), QStringLiteral("The tournament clock is on show"));
        if (!cookie.isValid()) {
            return false;
        }
        m_cookie = cookie.value();
        return true;
    }
    if (!m_cookie) {
        return false;
    }
    const QDBusReply<void> reply = service.call(QStringLiteral("UnInhibit"), *m_cookie);
    m_cookie.reset();
    return reply.isValid();
}
