#pragma once

#include "support/EventLoopWait.h"

#include <QByteArray>
#include <QHostAddress>
#include <QTcpSocket>

// One raw HTTP exchange over loopback, driven by the event loop so a server in this thread answers.
struct HttpReply
{
    int status = 0;
    QByteArray head;
    QByteArray body;

    QByteArray header(const QByteArray& name) const
    {
        for (const QByteArray& line : head.split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower()) {
                return line.mid(colon + 1).trimmed();
            }
        }
        return {};
    }
};

inline bool replyComplete(const QByteArray& data)
{
    const qsizetype end = data.indexOf("\r\n\r\n");
    if (end < 0) {
        return false;
    }
    HttpReply partial;
    partial.head = data.left(end);
    return data.size() - end - 4 >= partial.header("Content-Length").toLongLong();
}

inline HttpReply parseReply(const QByteArray& data)
{
    HttpReply reply;
    const qsizetype end = data.indexOf("\r\n\r\n");
    if (end < 0) {
        return reply;
    }
    reply.head = data.left(end);
    reply.body = data.mid(end + 4);
    const QList<QByteArray> status = reply.head.left(reply.head.indexOf('\r')).split(' ');
    reply.status = status.size() > 1 ? status[1].toInt() : 0;
    return reply;
}

inline HttpReply exchange(quint16 port, const QByteArray& raw, QTcpSocket* keep = nullptr)
{
    QTcpSocket own;
    QTcpSocket& socket = keep ? *keep : own;
    if (socket.state() != QAbstractSocket::ConnectedState) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        runEventsUntil([&] {
            return socket.state() == QAbstractSocket::ConnectedState ||
                   socket.state() == QAbstractSocket::UnconnectedState;
        });
    }
    socket.write(raw);
    QByteArray data;
    runEventsUntil([&] {
        data += socket.readAll();
        return replyComplete(data) || socket.state() == QAbstractSocket::UnconnectedState;
    });
    data += socket.readAll();
    return parseReply(data);
}

inline QByteArray httpRequest(const QByteArray& method, const QByteArray& path, const QByteArray& body = {},
                              const QByteArray& extraHeaders = {})
{
    QByteArray raw = method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extraHeaders;
    if (!body.isNull()) {
        raw +=
            "Content-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
    }
    return raw + "\r\n" + body;
}
