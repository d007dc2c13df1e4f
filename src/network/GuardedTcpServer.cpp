#include "GuardedTcpServer.h"

#include <QTcpSocket>
#include <QTimer>
#include <sys/socket.h>

GuardedTcpServer::GuardedTcpServer(Limits limits, QObject* parent) : QTcpServer(parent), m_limits(limits) {}

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

void GuardedTcpServer::incomingConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    if (m_open >= m_limits.maxConnections) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(m_limits.requestTimeoutMs, socket, [socket] { socket->abort(); });
        refuse(socket, "503 Service Unavailable");
        return;
    }
    ++m_open;
    connect(socket, &QObject::destroyed, this, [this] { --m_open; });
    auto* deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    deadline->setInterval(m_limits.requestTimeoutMs);
    connect(deadline, &QTimer::timeout, socket, [socket] { socket->abort(); });
    deadline->start();
    auto received = std::make_shared<qint64>(0);
    // Connected before the HTTP server's own handler, so this one sees the bytes first.
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
        *received += socket->bytesAvailable();
        if (*received > m_limits.maxRequestBytes) {
            refuse(socket, "413 Payload Too Large");
        }
    });
    connect(socket, &QTcpSocket::bytesWritten, socket, [socket, received, deadline] {
        if (socket->bytesToWrite() == 0) {
            *received = 0;
            deadline->start();
        }
    });
    addPendingConnection(socket);
}
