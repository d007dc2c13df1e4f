#pragma once

#include <QTcpServer>
#include <functional>

class ConnectionBudget;

// A listening socket of the web server. Every connection is counted against the shared budget; one that
// does not fit is answered 503 and closed at once, so a flood holds no descriptor for long.
// HTTP connections get a byte budget for a request and a deadline for finishing it, both renewed by every
// response: a client that sends too much is answered 413 and closed, one that sends too slowly (or
// holds an idle connection) is dropped. After the answer to HTTP/1.0, to "Connection: close" or to a
// body over maxBodyBytes (which the server answers 413) the connection is closed.
class GuardedTcpServer : public QTcpServer
{
    Q_OBJECT

public:
    struct Limits
    {
        qint64 maxRequestBytes = 16 * 1024;
        qint64 maxBodyBytes = 1024;
        int requestTimeoutMs = 10'000;
    };

    GuardedTcpServer(Limits limits, ConnectionBudget& budget, QObject* parent = nullptr);

    // Connections go to handOver (the WebSocket handshake) instead of the HTTP server's queue.
    void setHandOver(std::function<void(QTcpSocket*)> handOver) { m_handOver = std::move(handOver); }

    // Whether the request head asks for the connection to end after the answer.
    static bool closesAfterAnswer(const QByteArray& head, qint64 maxBodyBytes);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    Limits m_limits;
    ConnectionBudget& m_budget;
    std::function<void(QTcpSocket*)> m_handOver;

    void guard(QTcpSocket* socket);
    static void refuseNow(qintptr descriptor);
    static void refuse(QTcpSocket* socket, const QByteArray& statusLine);
};
