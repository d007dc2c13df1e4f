#pragma once

#include <QObject>
#include <QThread>

class QTcpServer;

// A TCP proxy on 127.0.0.1 that holds every chunk of data for half the round-trip time in each
// direction, as a slow link to a remote server would. It runs on its own thread, so a caller that
// blocks on the link (an ODBC driver) still sees the delays and nothing else.
class DelayingProxy : public QObject
{
    Q_OBJECT

public:
    DelayingProxy(quint16 upstreamPort, int roundTripMs);
    ~DelayingProxy() override;

    quint16 port() const { return m_port; }

private:
    QThread m_thread;
    QTcpServer* m_server = nullptr;
    quint16 m_upstreamPort;
    int m_oneWayMs;
    quint16 m_port = 0;

    void accept();
};
