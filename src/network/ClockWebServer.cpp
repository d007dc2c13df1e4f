#include "ClockWebServer.h"

#include "RemoteCommand.h"
#include "WebAssets.h"

#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QTcpSocket>
#include <QUrl>
#include <QWebSocket>
#include <QWebSocketCorsAuthenticator>
#include <QWebSocketServer>

namespace {

using Status = QHttpServerResponder::StatusCode;

const QByteArray Json = QByteArrayLiteral("application/json");

// The pages load only their own files and talk only to this clock.
const QByteArray Policy = QByteArrayLiteral("default-src 'self'; connect-src 'self' ws:; img-src 'self' "
                                            "data:; frame-ancestors 'none'; base-uri 'none'");

void send(QHttpServerResponder& responder, Status status, const QByteArray& contentType,
          const QByteArray& body, bool headOnly = false, const QByteArray& allow = {})
{
    // The same headers on every answer, errors included.
    responder.writeStatusLine(status);
    responder.writeHeaders({{"Content-Type", contentType},
                            {"Cache-Control", "no-store"},
                            {"X-Content-Type-Options", "nosniff"},
                            {"X-Frame-Options", "DENY"},
                            {"Referrer-Policy", "no-referrer"},
                            {"Content-Security-Policy", Policy}});
    if (status == Status::TooManyRequests) {
        responder.writeHeader("Retry-After", QByteArray::number(RemotePairing::LockOutMs / 1000));
    }
    if (!allow.isEmpty()) {
        responder.writeHeader("Allow", allow);
    }
    // HEAD: the length GET would send, without the body.
    responder.writeHeader("Content-Length", QByteArray::number(body.size()));
    responder.writeBody(headOnly ? QByteArray() : body);
}

void sendError(QHttpServerResponder& responder, Status status, const QString& message,
               const QByteArray& allow = {})
{
    send(responder, status, Json,
         QJsonDocument(QJsonObject{{QStringLiteral("error"), message}}).toJson(QJsonDocument::Compact), false,
         allow);
}

// A body that is one JSON object with exactly the one string member name, or nothing.
std::optional<QString> onlyMember(const QByteArray& body, const QString& name)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    if (object.size() != 1 || !object.value(name).isString()) {
        return std::nullopt;
    }
    return object.value(name).toString();
}

bool isJson(const QHttpServerRequest& request)
{
    const QByteArray type = request.value("Content-Type").toLower();
    return type == Json || type.startsWith(Json + ';');
}

} // namespace

ClockWebServer::ClockWebServer(const QString& remotePin, const MonotonicClock& clock, QObject* parent)
    : ClockWebServer(remotePin, clock, Limits{}, parent)
{}

ClockWebServer::ClockWebServer(const QString& remotePin, const MonotonicClock& clock, Limits limits,
                               QObject* parent)
    : QObject(parent), m_limits(limits), m_pairing(remotePin, clock)
{
    m_http = new QHttpServer(this);
    m_http->setMissingHandler([this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
        handle(request, std::move(responder));
    });
    m_budget = new ConnectionBudget(m_limits.budget, clock, this);
    m_tcp = new GuardedTcpServer(m_limits.connection, *m_budget, this);
    m_pushTcp = new GuardedTcpServer(m_limits.connection, *m_budget, this);
    m_push = new QWebSocketServer(QStringLiteral("KAVRO Clock"), QWebSocketServer::NonSecureMode, this);
    m_push->setMaxPendingConnections(64);
    m_push->setHandshakeTimeout(m_limits.connection.requestTimeoutMs);
    m_pushTcp->setHandOver([this](QTcpSocket* socket) { handOver(socket); });
    connect(m_push, &QWebSocketServer::originAuthenticationRequired, this,
            [this](QWebSocketCorsAuthenticator* authenticator) {
                // The host is checked once the request is in; here only what a page of ours can send.
                const QUrl origin(authenticator->origin());
                authenticator->setAllowed(
                    authenticator->origin().isEmpty() ||
                    (origin.scheme() == QStringLiteral("http") && origin.port(80) == m_httpPort));
            });
    connect(m_push, &QWebSocketServer::newConnection, this, &ClockWebServer::acceptLive);
}

ClockWebServer::~ClockWebServer()
{
    for (QWebSocket* socket : std::as_const(m_live)) {
        socket->disconnect(this);
        socket->abort();
        delete socket;
    }
}

bool ClockWebServer::listen(const QHostAddress& address, quint16 port, QString* error)
{
    if (!m_tcp->listen(address, port)) {
        if (error) {
            *error = m_tcp->errorString();
        }
        return false;
    }
    m_httpPort = m_tcp->serverPort();
    const quint16 wanted = port == 0 ? 0 : quint16(port + 1);
    if (port == 65535 || !m_pushTcp->listen(address, wanted)) {
        if (error) {
            *error = m_pushTcp->errorString();
        }
        m_tcp->close();
        return false;
    }
    m_pushPort = m_pushTcp->serverPort();
    m_http->bind(m_tcp);
    return true;
}

bool ClockWebServer::originAllowed(const QString& origin, const QString& host) const
{
    // Browsers always send an Origin: a page elsewhere cannot listen in. Programs send none.
    if (origin.isEmpty()) {
        return true;
    }
    const QUrl url(origin);
    return url.scheme() == QStringLiteral("http") && url.port(80) == m_httpPort &&
           url.host().compare(host, Qt::CaseInsensitive) == 0 && url.path().isEmpty();
}

void ClockWebServer::handOver(QTcpSocket* socket)
{
    auto connection = std::make_shared<PushConnection>();
    m_handshakes.insert(socket, connection);
    connect(socket, &QObject::destroyed, this, [this, socket] { m_handshakes.remove(socket); });
    // Connected before the WebSocket's own handler; idle until the handshake is done.
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, connection] {
        if (connection->live) {
            readFrames(socket, *connection);
        }
    });
    m_push->handleConnection(socket);
}

void ClockWebServer::readFrames(QTcpSocket* socket, PushConnection& connection)
{
    connection.reader.append(socket->readAll());
    const auto end = [&](QWebSocketProtocol::CloseCode code) {
        connection.live->close(code);
        socket->disconnectFromHost();
    };
    ClientFrameReader::Frame frame;
    for (;;) {
        switch (connection.reader.next(&frame)) {
        case ClientFrameReader::Status::NeedMore:
            return;
        case ClientFrameReader::Status::Frame:
            if (frame.opcode == 0x8) {
                end(QWebSocketProtocol::CloseCodeNormal);
                return;
            }
            if (frame.opcode == 0x9) {
                socket->write(QByteArray("\x8A", 1) + char(frame.payload.size()) + frame.payload);
            }
            break;
        case ClientFrameReader::Status::Unmasked:
        case ClientFrameReader::Status::Invalid:
            end(QWebSocketProtocol::CloseCodeProtocolError);
            return;
        case ClientFrameReader::Status::TooLarge:
            end(QWebSocketProtocol::CloseCodeTooMuchData);
            return;
        }
    }
}

void ClockWebServer::acceptLive()
{
    while (QWebSocket* socket = m_push->nextPendingConnection()) {
        for (auto it = m_handshakes.begin(); it != m_handshakes.end(); ++it) {
            if (it.key()->peerPort() == socket->peerPort() &&
                it.key()->peerAddress() == socket->peerAddress()) {
                it.value()->live = socket;
                m_handshakes.erase(it);
                break;
            }
        }
        const QUrl url = socket->requestUrl();
        const QByteArray host = url.port() < 0 ? url.host().toLatin1()
                                               : url.host().toLatin1() + ':' + QByteArray::number(url.port());
        if (m_live.size() >= m_limits.maxLiveClients || !m_hosts.allows(host) ||
            !originAllowed(socket->origin(), url.host())) {
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
            socket->deleteLater();
            continue;
        }
        // Pages only listen; whatever they send is small or a reason to part.
        socket->setMaxAllowedIncomingMessageSize(1024);
        socket->setMaxAllowedIncomingFrameSize(1024);
        m_live.append(socket);
        connect(socket, &QWebSocket::disconnected, this, [this, socket] {
            m_live.removeOne(socket);
            socket->deleteLater();
        });
        if (!m_state.isEmpty()) {
            socket->sendTextMessage(QString::fromUtf8(m_state));
        }
    }
}

void ClockWebServer::publish(const QByteArray& state)
{
    m_state = state;
    const QString text = QString::fromUtf8(state);
    const QList<QWebSocket*> live = m_live;
    for (QWebSocket* socket : live) {
        if (socket->bytesToWrite() > m_limits.maxQueuedPushBytes) {
            m_live.removeOne(socket);
            socket->disconnect(this);
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->sendTextMessage(text);
    }
}

void ClockWebServer::handle(const QHttpServerRequest& request, QHttpServerResponder&& responder)
{
    const QString path = request.url().path(QUrl::FullyEncoded);
    const QHttpServerRequest::Method method = request.method();
    const bool read = method == QHttpServerRequest::Method::Get || method == QHttpServerRequest::Method::Head;
    const bool head = method == QHttpServerRequest::Method::Head;
    // A page loaded under a foreign name (DNS rebinding) gets nothing, not even an error text.
    if (!m_hosts.allows(request.value("Host"))) {
        send(responder, Status::MisdirectedRequest, QByteArrayLiteral("text/plain"), QByteArray());
        return;
    }
    if (request.body().size() > m_limits.connection.maxBodyBytes) {
        sendError(responder, Status::PayloadTooLarge, QStringLiteral("The request is too large."));
        return;
    }
    if (path == QStringLiteral("/api/state")) {
        if (!read) {
            sendError(responder, Status::MethodNotAllowed, QStringLiteral("Use GET."), "GET, HEAD");
        } else if (m_state.isEmpty()) {
            sendError(responder, Status::ServiceUnavailable, QStringLiteral("The clock is starting."));
        } else {
            send(responder, Status::Ok, Json, m_state, head);
        }
        return;
    }
    if (path == QStringLiteral("/api/pair") || path == QStringLiteral("/api/command")) {
        if (method != QHttpServerRequest::Method::Post) {
            sendError(responder, Status::MethodNotAllowed, QStringLiteral("Use POST."), "POST");
        } else if (path == QStringLiteral("/api/pair")) {
            pair(request, responder);
        } else {
            command(request, responder);
        }
        return;
    }
    WebAssets::Asset asset = WebAssets::find(path);
    if (!asset.found) {
        sendError(responder, Status::NotFound, QStringLiteral("Not found."));
        return;
    }
    if (!read) {
        sendError(responder, Status::MethodNotAllowed, QStringLiteral("Use GET."), "GET, HEAD");
        return;
    }
    asset.body.replace("@PUSH_PORT@", QByteArray::number(m_pushPort));
    send(responder, Status::Ok, asset.contentType, asset.body, head);
}

void ClockWebServer::pair(const QHttpServerRequest& request, QHttpServerResponder& responder)
{
    if (!m_pairing.enabled()) {
        sendError(responder, Status::Forbidden, QStringLiteral("The remote is off."));
        return;
    }
    if (!isJson(request)) {
        sendError(responder, Status::UnsupportedMediaType, QStringLiteral("Send JSON."));
        return;
    }
    const std::optional<QString> pin = onlyMember(request.body(), QStringLiteral("pin"));
    if (!pin) {
        sendError(responder, Status::BadRequest, QStringLiteral("Send {\"pin\": \"...\"}."));
        return;
    }
    QByteArray token;
    const qint64 stoppedBefore = m_pairing.stoppedUntil();
    const RemotePairing::Result result = m_pairing.pair(request.remoteAddress().toString(), *pin, &token);
    if (m_pairing.stoppedUntil() != stoppedBefore) {
        emit pairingStopped(m_pairing.stoppedUntil());
    }
    switch (result) {
    case RemotePairing::Result::Paired:
        send(responder, Status::Ok, Json,
             QJsonDocument(QJsonObject{{QStringLiteral("token"), QString::fromLatin1(token)}})
                 .toJson(QJsonDocument::Compact));
        return;
    case RemotePairing::Result::WrongPin:
        sendError(responder, Status::Unauthorized, QStringLiteral("Wrong PIN."));
        return;
    case RemotePairing::Result::LockedOut:
        sendError(responder, Status::TooManyRequests, QStringLiteral("Too many wrong PINs: wait a minute."));
        return;
    case RemotePairing::Result::Stopped:
        sendError(responder, Status::TooManyRequests,
                  QStringLiteral("Too many wrong PINs on this clock: pairing is stopped for a while."));
        return;
    case RemotePairing::Result::Off:
        break;
    }
    sendError(responder, Status::Forbidden, QStringLiteral("The remote is off."));
}

void ClockWebServer::command(const QHttpServerRequest& request, QHttpServerResponder& responder)
{
    // The scheme's name is case-insensitive (RFC 9110); the token is not.
    QByteArray authorization = request.value("Authorization").trimmed();
    if (authorization.left(7).toLower() == "bearer ") {
        authorization.replace(0, 7, "Bearer ");
    }
    if (!m_pairing.authorised(authorization)) {
        sendError(responder, Status::Unauthorized, QStringLiteral("Pair with the PIN first."));
        return;
    }
    if (!isJson(request)) {
        sendError(responder, Status::UnsupportedMediaType, QStringLiteral("Send JSON."));
        return;
    }
    const std::optional<QString> name = onlyMember(request.body(), QStringLiteral("command"));
    if (!name) {
        sendError(responder, Status::BadRequest, QStringLiteral("Send {\"command\": \"...\"}."));
        return;
    }
    const std::optional<VirtualKey> key = RemoteCommand::key(*name);
    if (!key) {
        sendError(responder, Status::BadRequest, QStringLiteral("Unknown command."));
        return;
    }
    if (!m_commandRefusal.isEmpty()) {
        sendError(responder, Status::Conflict, m_commandRefusal);
        return;
    }
    emit keyRequested(*key);
    send(responder, Status::Ok, Json,
         QJsonDocument(QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("command"), *name}})
             .toJson(QJsonDocument::Compact));
}
