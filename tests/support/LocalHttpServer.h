#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

// A tiny HTTP/1.1 server on 127.0.0.1 for the download tests, answering from canned routes in the test's
// own event loop. Connections are closed after each answer.
class LocalHttpServer : public QObject
{
    Q_OBJECT

public:
    enum class Ending
    {
        Complete, // the whole body, then close
        Drop,     // half the body under a Content-Length for all of it, then close
        Stall,    // a first part of the body, then nothing until the test ends
        Chunked   // the first half of the body as a chunk, without a Content-Length, then nothing
    };
    struct Route
    {
        int status = 200;
        QByteArray body;
        Ending ending = Ending::Complete;
    };

    LocalHttpServer();
    ~LocalHttpServer() override;

    void route(const QString& path, Route answer) { m_routes.insert(path, std::move(answer)); }
    void serve(const QString& path, const QByteArray& body) { route(path, {200, body, Ending::Complete}); }
    // The address of a path on this server.
    QString url(const QString& path) const;
    // Every request's head as received, in order.
    const QList<QByteArray>& requests() const { return m_requests; }

private:
    QTcpServer m_server;
    QHash<QString, Route> m_routes;
    QList<QByteArray> m_requests;

    void answer(QTcpSocket* socket, const QByteArray& head);
};
