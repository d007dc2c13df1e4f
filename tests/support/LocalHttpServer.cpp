#include "LocalHttpServer.h"

#include <QTcpSocket>

LocalHttpServer::LocalHttpServer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                const QByteArray soFar = socket->property("received").toByteArray() + socket->readAll();
                socket->setProperty("received", soFar);
                const qsizetype end = soFar.indexOf("\r\n\r\n");
                if (end >= 0 && !socket->property("answered").toBool()) {
                    socket->setProperty("answered", true);
                    answer(socket, soFar.left(end));
                }
            });
        }
    });
}

LocalHttpServer::~LocalHttpServer()
{
    m_server.close();
}

QString LocalHttpServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
}

void LocalHttpServer::answer(QTcpSocket* socket, const QByteArray& head)
{
    m_requests.append(head);
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    const QString path = requestLine.size() > 1 ? QString::fromLatin1(requestLine[1]) : QString();
    const Route route =
        m_routes.value(path, Route{404, "<html><body>Not Found</body></html>", Ending::Complete});

    QByteArray response = "HTTP/1.1 " + QByteArray::number(route.status) +
                          (route.status == 200 ? " OK" : " Error") + "\r\nConnection: close\r\n";
    if (route.ending == Ending::Chunked) {
        const QByteArray first = route.body.left(route.body.size() / 2);
        response += "Transfer-Encoding: chunked\r\n\r\n";
        response += QByteArray::number(first.size(), 16) + "\r\n" + first + "\r\n";
    } else {
        response += "Content-Length: " + QByteArray::number(route.body.size()) + "\r\n\r\n";
        if (route.ending == Ending::Complete) {
            response += route.body;
        } else {
            response += route.body.left(route.body.size() / 2);
        }
    }
    socket->write(response);
    if (route.ending == Ending::Complete || route.ending == Ending::Drop) {
        socket->disconnectFromHost();
    }
}
