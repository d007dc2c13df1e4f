#include "NetworkService.h"

#include "ClockWebServer.h"
#include "OpenFileLimit.h"
#include "core/MonotonicClock.h"

#include <QHostAddress>
#include <QNetworkInterface>

namespace {

constexpr int RemoteOffNoticeMs = 60'000;

} // namespace

NetworkService::NetworkService(ClockOptions::Network options, const MonotonicClock& clock, QObject* parent)
    : QObject(parent), m_options(std::move(options)), m_clock(clock)
{
    m_thread.setObjectName(QStringLiteral("web server"));
    // A PIN the remote could not use never reaches the server, whoever built these options.
    const QString problem = ClockOptions::pinProblem(m_options.remotePin);
    if (!problem.isEmpty()) {
        m_options.remotePin.clear();
        m_options.remoteOff = QStringLiteral("The remote is off: its PIN %1").arg(problem);
    }
    m_remoteOff = m_options.remoteOff;
    m_stopWatch.setInterval(1000);
    connect(&m_stopWatch, &QTimer::timeout, this, &NetworkService::checkPairingStop);
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
    connect(server, &ClockWebServer::pairingStopped, this, &NetworkService::pairingStopped,
            Qt::QueuedConnection);
    if (!m_remoteOff.isEmpty()) {
        // Said long enough to be seen; the players' screen is no place for it all evening.
        QTimer::singleShot(RemoteOffNoticeMs, this, [this] {
            m_remoteOff.clear();
            announce();
        });
    }
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

void NetworkService::forgetPairedPhones()
{
    if (m_server) {
        QMetaObject::invokeMethod(
            m_server, [server = m_server] { server->forgetPairedPhones(); }, Qt::BlockingQueuedConnection);
    }
}

void NetworkService::refuseCommands(const QString& reason)
{
    if (m_server) {
        QMetaObject::invokeMethod(
            m_server, [server = m_server, reason] { server->refuseCommands(reason); }, Qt::QueuedConnection);
    }
}

QString NetworkService::notice() const
{
    QStringList lines;
    if (!m_remoteOff.isEmpty()) {
        lines << m_remoteOff;
    }
    const qint64 left = m_pairingStoppedUntil - m_clock.nowMs();
    if (left > 0) {
        const qint64 minutes = (left + 59'999) / 60'000;
        lines << QStringLiteral("Too many wrong remote PINs: no phone can pair for %1 %2. Paired phones "
                                "keep working.")
                     .arg(minutes)
                     .arg(minutes == 1 ? QStringLiteral("minute") : QStringLiteral("minutes"));
    }
    return lines.join(u'\n');
}

void NetworkService::pairingStopped(qint64 untilMs)
{
    m_pairingStoppedUntil = untilMs;
    m_stopWatch.start();
    announce();
}

void NetworkService::checkPairingStop()
{
    // The minutes left count down on the screen; the notice goes when pairing opens again.
    if (m_clock.nowMs() >= m_pairingStoppedUntil) {
        m_stopWatch.stop();
    }
    announce();
}

void NetworkService::announce()
{
    const QString text = notice();
    if (text != m_shownNotice) {
        m_shownNotice = text;
        emit noticeChanged(text);
    }
}
