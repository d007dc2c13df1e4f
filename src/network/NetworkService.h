#pragma once

#include "core/ClockOptions.h"
#include "core/VirtualKey.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

class ClockWebServer;
class MonotonicClock;

// The web server on a thread of its own, so that no client, however slow or hostile, holds up the clock.
// The clock's thread hands over each new state; the remote's keys come back on the clock's thread.
class NetworkService : public QObject
{
    Q_OBJECT

public:
    NetworkService(ClockOptions::Network options, const MonotonicClock& clock, QObject* parent = nullptr);
    ~NetworkService() override;

    // Opens the ports; false, with the reason in error, when they cannot be opened.
    bool start(QString* error = nullptr);
    quint16 httpPort() const { return m_httpPort; }
    quint16 pushPort() const { return m_pushPort; }
    // The players' view's address for the QR code: the bound address, or this machine's first network
    // address others can reach.
    QString viewAddress() const;

    // Thread-safe; the server keeps the newest.
    void publish(const QByteArray& state);
    // Every paired phone must pair again; done when this returns.
    void forgetPairedPhones();
    // While the reason is not empty, the remote's commands are refused with it.
    void refuseCommands(const QString& reason);

    // What the director should know about the remote (its PIN, guessing), or empty.
    QString notice() const;

signals:
    void keyRequested(VirtualKey key);
    void noticeChanged(const QString& notice);

private:
    ClockOptions::Network m_options;
    const MonotonicClock& m_clock;
    QThread m_thread;
    ClockWebServer* m_server = nullptr;
    quint16 m_httpPort = 0;
    quint16 m_pushPort = 0;
    QString m_remoteOff;
    // What noticeChanged said last.
    QString m_shownNotice;
    qint64 m_pairingStoppedUntil = -1;
    QTimer m_stopWatch;

    void pairingStopped(qint64 untilMs);
    void checkPairingStop();
    void announce();
};
