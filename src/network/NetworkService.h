#pragma once

#include "core/ClockOptions.h"
#include "core/VirtualKey.h"

#include <QByteArray>
#include <QObject>
#include <QThread>

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

signals:
    void keyRequested(VirtualKey key);

private:
    ClockOptions::Network m_options;
    const MonotonicClock& m_clock;
    QThread m_thread;
    ClockWebServer* m_server = nullptr;
    quint16 m_httpPort = 0;
    quint16 m_pushPort = 0;
};
