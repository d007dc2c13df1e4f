#pragma once

#include <QTcpServer>

// The listening socket under the HTTP server. Each connection gets a byte budget for a request and a
// deadline for finishing it, both renewed by every response: a client that sends too much is answered
// 413 and closed, one that sends too slowly (or holds an idle connection) is dropped, and beyond
// maxConnections new ones are turned away with 503.
class GuardedTcpServer : public QTcpServer
{
    Q_OBJECT

public:
    struct Limits
    {
        qint64 maxRequestBytes = 16 * 1024;
        int requestTimeoutMs = 10'000;
        int maxConnections = 512;
    };

    explicit GuardedTcpServer(Limits limits, QObject* parent = nullptr);

    int openConnections() const { return m_open; }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    Limits m_limits;
    int m_open = 0;

    static void refuse(QTcpSocket* socket, const QByteArray& statusLine);
};
