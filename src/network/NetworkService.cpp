#include "NetworkService.h"

#include "ClockWebServer.h"
#include "OpenFileLimit.h"

#include <QHostAddress>
#include <QNetworkInterface>

NetworkService::NetworkService(ClockOptions::Network options, const MonotonicClock& clock, QObject* parent)
    : QObject(parent), m_options(std::move(options)), m_clock(clock)
{
    m_thread.setObjectName(QStringLiteral("web server"));
}

NetworkService::~NetworkService()
{
    if (m_server) {
        QMetaObject::invokeMethod(
            m_server, [server = m_server] { delete server; }, Qt::BlockingQueuedConnection);
    }
    m_thread.quit();
    m_thread.wait();
}

bool NetworkService::start(QString* error)
{
    if (m_server) {
        return true;
    }
    const QHostAddress address =
        m_options.bind.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(m_options.bind);
    if (address.isNull()) {
        if (error) {
            *error = QStringLiteral("Bind=%1 is not an address.").arg(m_options.bind);
        }
        return false;
    }
    m_thread.start();
    ClockWebServer::Limits limits;
    limits.budget = ConnectionBudget::Limits::forOpenFileLimit(OpenFileLimit::current());
    auto* server = new ClockWebServer(m_options.remotePin, m_clock, limits);
    server->setHostNames(m_options.hostNames);
    server->moveToThread(&m_thread);
    bool ok = false;
    QString reason;
    QMetaObject::invokeMethod(
        server, [&] { ok = server->listen(address, m_options.port, &reason); }, Qt::BlockingQueuedConnection);
    if (!ok) {
        QMetaObject::invokeMethod(
            server, [server] { delete server; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
        if (error) {
            *error = reason;
        }
        return false;
    }
    m_server = server;
    m_httpPort = server->httpPort();
    m_pushPort = server->pushPort();
    connect(server, &ClockWebServer::keyRequested, this, &NetworkService::keyRequested, Qt::QueuedConnection);
    return true;
}

QString NetworkService::viewAddress() const
{
    QHostAddress host(m_options.bind);
    if (host.isNull() || host == QHostAddress(QHostAddress::AnyIPv4) ||
        host == QHostAddress(QHostAddress::AnyIPv6)) {
        host = QHostAddress(QHostAddress::LocalHost);
        for (const QHostAddress& candidate : QNetworkInterface::allAddresses()) {
            if (candidate.protocol() == QAbstractSocket::IPv4Protocol && !candidate.isLoopback() &&
                !candidate.isLinkLocal()) {
                host = candidate;
                break;
            }
        }
    }
    const QString name = host.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(host.toString())
                             : host.toString();
    return QStringLiteral("http://%1:%2/").arg(name).arg(m_httpPort);
}

void NetworkService::publish(const QByteArray& state)
{
    if (m_server) {
        QMetaObject::invokeMethod(
            m_server, [server = m_server, state] { server->publish(state); }, Qt::QueuedConnection);
    }
}
