#include "GuardedTcpServer.h"

#include "ConnectionBudget.h"

#include <QTcpSocket>
#include <QTimer>
#include <sys/socket.h>
#include <unistd.h>

GuardedTcpServer::GuardedTcpServer(Limits limits, ConnectionBudget& budget, QObject* parent)
    : QTcpServer(parent), m_limits(limits), m_budget(budget)
{}

void GuardedTcpServer::refuseNow(qintptr descriptor)
{
    // What the client sent already is read first, so the answer is not lost to a reset; whatever comes
    // later may reset the connection, which is fine for one turned away.
    const int fd = int(descriptor);
    char discard[4096];
    for (int i = 0; i < 4 && ::recv(fd, discard, sizeof discard, MSG_DONTWAIT) > 0; ++i) {
    }
    static const char Answer[] = "HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\nRetry-After: 5\r\n"
                                 "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
    [[maybe_unused]] const ssize_t sent = ::send(fd, Answer, sizeof Answer - 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    ::shutdown(fd, SHUT_WR);
    ::close(fd);
}

void GuardedTcpServer::refuse(QTcpSocket* socket, const QByteArray& statusLine)
{
    // The HTTP server never sees another byte of this connection. What the client still sends is read
    // and dropped until it closes (or its deadline passes): closing on unread bytes would reset the
    // connection and lose the answer.
    QObject::disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
    connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->skip(socket->bytesAvailable()); });
    connect(socket, &QTcpSocket::bytesWritten, socket, [socket] {
        if (socket->bytesToWrite() == 0) {
            ::shutdown(int(socket->socketDescriptor()), SHUT_WR);
        }
    });
    socket->write("HTTP/1.1 " + statusLine + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
}

bool GuardedTcpServer::closesAfterAnswer(const QByteArray& head, qint64 maxBodyBytes)
{
    const QList<QByteArray> lines = head.split('\n');
    if (lines.isEmpty() || !lines.first().trimmed().endsWith("HTTP/1.1")) {
        return true;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) {
            continue;
        }
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed().toLower();
        if (name == "connection") {
            for (const QByteArray& token : value.split(',')) {
                if (token.trimmed() == "close") {
                    return true;
                }
            }
        } else if (name == "content-length") {
            bool ok = false;
            if (value.toLongLong(&ok) > maxBodyBytes || !ok) {
                return true;
            }
        } else if (name == "transfer-encoding") {
            return true;
        }
    }
    return false;
}

void GuardedTcpServer::incomingConnection(qintptr descriptor)
{
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    if (::getpeername(int(descriptor), reinterpret_cast<sockaddr*>(&peer), &length) != 0) {
        ::close(int(descriptor));
        return;
    }
    const QHostAddress address(reinterpret_cast<const sockaddr*>(&peer));
    if (!m_budget.makeRoom(address)) {
        refuseNow(descriptor);
        return;
    }
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        ::close(int(descriptor));
        return;
    }
    if (m_handOver) {
        m_budget.add(socket, address, false);
        m_handOver(socket);
        return;
    }
    m_budget.add(socket, address, true);
    guard(socket);
    addPendingConnection(socket);
}

void GuardedTcpServer::guard(QTcpSocket* socket)
{
    auto* deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    deadline->setInterval(m_limits.requestTimeoutMs);
    connect(deadline, &QTimer::timeout, socket, [socket] { socket->abort(); });
    deadline->start();
    struct Request
    {
        qint64 received = 0;
        QByteArray head;
        bool headDone = false;
        bool closeAfter = false;
    };
    auto request = std::make_shared<Request>();
    // Connected before the HTTP server's own handler, so this one sees the bytes before they are read.
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
        const qint64 available = socket->bytesAvailable();
        request->received += available;
        m_budget.setIdle(socket, false);
        if (request->received > m_limits.maxRequestBytes) {
            refuse(socket, "413 Payload Too Large");
            return;
        }
        if (!request->headDone) {
            request->head += socket->peek(available);
            const qsizetype end = request->head.indexOf("\r\n\r\n");
            if (end >= 0) {
                request->head.truncate(end);
                request->headDone = true;
                request->closeAfter = closesAfterAnswer(request->head, m_limits.maxBodyBytes);
                request->head.clear();
            }
        }
    });
    connect(socket, &QTcpSocket::bytesWritten, socket, [this, socket, request, deadline] {
        if (socket->bytesToWrite() != 0) {
            return;
        }
        if (request->closeAfter) {
            socket->disconnectFromHost();
            return;
        }
        *request = Request{};
        m_budget.setIdle(socket, true);
        deadline->start();
    });
}
