#pragma once

#include "ClientFrameReader.h"
#include "ConnectionBudget.h"
#include "GuardedTcpServer.h"
#include "HostCheck.h"
#include "RemotePairing.h"
#include "core/VirtualKey.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <memory>

class MonotonicClock;
class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;
class QWebSocket;
class QTcpSocket;
class QWebSocketServer;

// The pages, the state and the remote's commands over HTTP, and the live state pushed over a WebSocket
// on the next port (the HTTP server cannot take the upgrade itself). Lives in one thread; the clock
// hands it every new state with publish() and takes the remote's keys from keyRequested.
class ClockWebServer : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        GuardedTcpServer::Limits connection;
        ConnectionBudget::Limits budget;
        int maxLiveClients = 1000;
        // A live client with more than this waiting to be sent is not reading: it is dropped.
        qint64 maxQueuedPushBytes = 1024 * 1024;
    };

    ClockWebServer(const QString& remotePin, const MonotonicClock& clock, Limits limits,
                   QObject* parent = nullptr);
    ClockWebServer(const QString& remotePin, const MonotonicClock& clock, QObject* parent = nullptr);
    ~ClockWebServer() override;

    // Port 0 picks free ports. The push port is port + 1 unless port is 0.
    bool listen(const QHostAddress& address, quint16 port, QString* error = nullptr);
    quint16 httpPort() const { return m_httpPort; }
    quint16 pushPort() const { return m_pushPort; }
    int liveClients() const { return int(m_live.size()); }

    void publish(const QByteArray& state);
    // Names besides this machine's own that pages may be loaded under (a Host header may name).
    void setHostNames(const QStringList& names) { m_hosts = HostCheck(names); }
    const ConnectionBudget& budget() const { return *m_budget; }
    // Every paired phone must pair again.
    void forgetPairedPhones() { m_pairing.forgetTokens(); }
    // While the reason is not empty, commands are answered 409 with it.
    void refuseCommands(const QString& reason) { m_commandRefusal = reason; }

signals:
    void keyRequested(VirtualKey key);
    // Too many wrong PINs: nobody can pair until the monotonic time untilMs.
    void pairingStopped(qint64 untilMs);

private:
    Limits m_limits;
    RemotePairing m_pairing;
    QHttpServer* m_http = nullptr;
    ConnectionBudget* m_budget = nullptr;
    HostCheck m_hosts{{}};
    GuardedTcpServer* m_tcp = nullptr;
    GuardedTcpServer* m_pushTcp = nullptr;
    QWebSocketServer* m_push = nullptr;
    QList<QWebSocket*> m_live;
    // What each page sends is read here, before the WebSocket sees it, so frames the WebSocket would
    // let pass (unmasked ones) end the connection.
    struct PushConnection
    {
        ClientFrameReader reader;
        QPointer<QWebSocket> live;
    };
    QHash<QTcpSocket*, std::shared_ptr<PushConnection>> m_handshakes;
    QByteArray m_state;
    QString m_commandRefusal;
    quint16 m_httpPort = 0;
    quint16 m_pushPort = 0;

    void handle(const QHttpServerRequest& request, QHttpServerResponder&& responder);
    void pair(const QHttpServerRequest& request, QHttpServerResponder& responder);
    void command(const QHttpServerRequest& request, QHttpServerResponder& responder);
    void handOver(QTcpSocket* socket);
    void acceptLive();
    void readFrames(QTcpSocket* socket, PushConnection& connection);
    bool originAllowed(const QString& origin, const QString& host) const;
};
