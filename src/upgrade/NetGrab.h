#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>

class MonotonicClock;
class QNetworkReply;

// Fetches one URL at a time into memory without blocking the window: a host starts a download, waits
// on Busy while letting events run (or listens to the signals), then takes the bytes or saves them.
// Nothing is ever shown to the user; failures arrive only as DownloadFailed.
class NetGrab : public QObject
{
    Q_OBJECT

public:
    // Read option: always ask the server, never a cache.
    static constexpr qint32 ForceUpdate = 16;

    explicit NetGrab(const MonotonicClock& clock, QObject* parent = nullptr);
    ~NetGrab() override;

    bool Busy() const { return m_busy; }
    QByteArray Bytes() const { return ReceivedData; }
    qint32 Duration() const { return ElapsedMs; }

    // A transfer that receives nothing for this long fails, so a server that accepts the connection and
    // then says nothing cannot keep anyone waiting for ever.
    void setStallTimeoutMs(int ms) { m_stallTimeoutMs = ms; }

    void DownloadStart(const QString& url, qint32 options);
    void DownloadCancel();
    bool SaveAs(const QString& path) const;

    // The millisecond tick count as a 32-bit number that wraps like the platform's: tick and elapsed
    // arithmetic stay right across the wrap.
    qint32 tickCount() const;
    static qint32 elapsedMs(qint32 startTick, qint32 nowTick);

signals:
    void DownloadComplete(qint32 bytes);
    void DownloadFailed(qint32 number, const QString& description);
    void DownloadProgress(qint32 received, qint32 total);

private:
    const MonotonicClock& m_clock;
    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    bool m_busy = false;
    qint32 StartTick = 0;
    QByteArray ReceivedData;
    qint32 ReceivedCount = 0;
    qint32 ElapsedMs = 0;
    int m_stallTimeoutMs = 30000;

    void progress(QNetworkReply* reply);
    void finished(QNetworkReply* reply);
    void endTransfer();
    void dropReply();
};
