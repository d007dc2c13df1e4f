#include "DelayingProxy.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

// What arrives on from is written to to after the delay, in order; the end of either side ends the other
// after the same delay.
void forward(QTcpSocket* from, QTcpSocket* to, int delayMs)
{
    QObject::connect(from, &QTcpSocket::readyRead, to, [from, to, delayMs] {
        const QByteArray data = from->readAll();
        QTimer::singleShot(delayMs, Qt::PreciseTimer, to, [to, data] { to->write(data); });
    });
    QObject::connect(from, &QTcpSocket::disconnected, to, [to, delayMs] {
        QTimer::singleShot(delayMs, Qt::PreciseTimer, to, [to] { to->disconnectFromHost(); });
    });
}

} // namespace

DelayingProxy::DelayingProxy(quint16 upstreamPort, int roundTripMs)
    : m_upstreamPort(upstreamPort), m_oneWayMs(roundTripMs / 2)
{
    m_thread.setObjectName(QStringLiteral("delaying proxy"));
    m_thread.start();
    moveToThread(&m_thread);
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_server = new QTcpServer(this);
            connect(m_server, &QTcpServer::newConnection, this, &DelayingProxy::accept);
            m_server->listen(QHostAddress::LocalHost, 0);
            m_port = m_server->serverPort();
        },
        Qt::BlockingQueuedConnection);
}

DelayingProxy::~DelayingProxy()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            // The sockets are the server's children; they go with it, on their own thread.
            delete m_server;
            m_server = nullptr;
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void DelayingProxy::accept()
{
    while (QTcpSocket* client = m_server->nextPendingConnection()) {
        auto* upstream = new QTcpSocket(client);
        forward(client, upstream, m_oneWayMs);
        forward(upstream, client, m_oneWayMs);
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        upstream->connectToHost(QHostAddress::LocalHost, m_upstreamPort);
    }
}
