#include "NetGrab.h"

#include "core/MonotonicClock.h"

#include <QFile>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <algorithm>
#include <limits>

namespace {

qint32 clampToInt32(qint64 value)
{
    return qint32(std::clamp<qint64>(value, 0, std::numeric_limits<qint32>::max()));
}

bool isReadOnly(const QString& path)
{
    // Permission bits rather than access(): a superuser may write anywhere, but a file marked read-only
    // is still not replaced, as on the platforms with a read-only attribute.
    constexpr auto writable = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return (QFile::permissions(path) & writable) == 0;
}

} // namespace

NetGrab::NetGrab(const MonotonicClock& clock, QObject* parent) : QObject(parent), m_clock(clock)
{
    // The upgrade server may move; only redirects that keep HTTPS are followed.
    m_network.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

NetGrab::~NetGrab()
{
    dropReply();
}

qint32 NetGrab::tickCount() const
{
    return qint32(quint32(quint64(m_clock.nowMs())));
}

qint32 NetGrab::elapsedMs(qint32 startTick, qint32 nowTick)
{
    // Unsigned subtraction is exact modulo 2^32, so a wrap between the two reads does no harm.
    const quint32 elapsed = quint32(nowTick) - quint32(startTick);
    return clampToInt32(elapsed);
}

void NetGrab::DownloadStart(const QString& url, qint32 options)
{
    if (url.isEmpty()) {
        return;
    }
    if (m_busy) {
        // The old request is dropped without its callbacks: they would end the new one.
        dropReply();
    }
    ElapsedMs = 0;
    StartTick = tickCount();
    m_busy = true;

    const QUrl address(url);
    if (!address.isValid() || address.isRelative()) {
        // Nothing will ever call back for a request that never started; end it here.
        endTransfer();
        ReceivedCount = 0;
        emit DownloadFailed(int(QNetworkReply::ProtocolInvalidOperationError),
                            QStringLiteral("Invalid address: %1").arg(url));
        return;
    }
    QNetworkRequest request(address);
    request.setTransferTimeout(m_stallTimeoutMs);
    if (options & ForceUpdate) {
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
        request.setRawHeader("Cache-Control", "no-cache");
        request.setRawHeader("Pragma", "no-cache");
    }
    QNetworkReply* reply = m_network.get(request);
    m_reply = reply;
    ReceivedData.clear();
    // Every arrival counts: Qt's own progress signal holds back updates that come close together.
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { progress(reply); });
    // Queued, so the end always arrives from the event loop, even when a cancel ends the transfer at once.
    connect(
        reply, &QNetworkReply::finished, this,
        [this, guard = QPointer<QNetworkReply>(reply)] {
            if (guard) {
                finished(guard);
            }
        },
        Qt::QueuedConnection);
}

void NetGrab::DownloadCancel()
{
    if (m_busy && m_reply) {
        m_reply->abort();
    }
}

void NetGrab::progress(QNetworkReply* reply)
{
    if (reply != m_reply || !m_busy) {
        return;
    }
    ReceivedData += reply->readAll();
    ReceivedCount = clampToInt32(ReceivedData.size());
    // 0 when the server does not say how much is coming.
    const QVariant total = reply->header(QNetworkRequest::ContentLengthHeader);
    emit DownloadProgress(ReceivedCount, total.isValid() ? clampToInt32(total.toLongLong()) : 0);
}

void NetGrab::finished(QNetworkReply* reply)
{
    if (reply != m_reply) {
        reply->deleteLater();
        return;
    }
    endTransfer();
    if (reply->isOpen()) {
        ReceivedData += reply->readAll();
    }
    const QNetworkReply::NetworkError error = reply->error();
    const QString description = reply->errorString();
    m_reply = nullptr;
    reply->deleteLater();
    if (error == QNetworkReply::NoError) {
        ReceivedCount = clampToInt32(ReceivedData.size());
        emit DownloadComplete(ReceivedCount);
    } else {
        ReceivedCount = 0;
        emit DownloadFailed(qint32(error), description);
    }
}

void NetGrab::endTransfer()
{
    ElapsedMs = elapsedMs(StartTick, tickCount());
    StartTick = 0;
    m_busy = false;
}

void NetGrab::dropReply()
{
    if (QNetworkReply* reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

bool NetGrab::SaveAs(const QString& path) const
{
    if (ReceivedCount == 0) {
        return false;
    }
    if (QFile::exists(path) && !isReadOnly(path)) {
        QFile::remove(path);
    }
    if (QFile::exists(path)) {
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray data = ReceivedData.left(ReceivedCount);
    const bool written = file.write(data) == data.size() && file.flush();
    file.close();
    if (written && file.error() == QFileDevice::NoError) {
        return true;
    }
    // A full disk leaves the start of the file: it must not pass for the whole of it.
    file.remove();
    return false;
}
