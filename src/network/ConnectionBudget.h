#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>

class MonotonicClock;
class QTcpSocket;

// Every connection the web server holds on both ports (requests, live pages, handshakes under way)
// counts against one budget far below the process's open-file limit, so a flood can never take the
// descriptors the clock itself needs. One address (or one IPv6 /64 network, which one machine can fill
// with addresses) gets only a share, so it cannot lock the others out.
class ConnectionBudget : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        int maxConnections = 512;
        int maxPerAddress = 32;
        // A connection waiting for its next request this long gives way to a new one when full.
        qint64 idleCloseMs = 5'000;

        // A quarter of the open files, at most 768: the clock's files, sounds and X resources keep
        // the rest.
        static Limits forOpenFileLimit(qint64 openFiles);
    };

    ConnectionBudget(Limits limits, const MonotonicClock& clock, QObject* parent = nullptr);

    static QByteArray addressKey(const QHostAddress& address);

    // Whether a new connection from address fits; when it does not, the longest-idle connection that
    // stands in its way is closed if it has been idle long enough.
    bool makeRoom(const QHostAddress& address);
    // Counts socket until it closes or goes; an idle one may be closed to make room.
    void add(QTcpSocket* socket, const QHostAddress& address, bool idle);
    // A connection between requests may be closed to make room.
    void setIdle(QTcpSocket* socket, bool idle);

    int total() const { return int(m_entries.size()); }
    int from(const QHostAddress& address) const { return m_perKey.value(addressKey(address)); }
    const Limits& limits() const { return m_limits; }

private:
    struct Entry
    {
        QByteArray key;
        qint64 idleSince = -1;
    };

    Limits m_limits;
    const MonotonicClock& m_clock;
    QHash<QTcpSocket*, Entry> m_entries;
    QHash<QByteArray, int> m_perKey;

    bool fits(const QByteArray& key) const;
    // The longest-idle connection idle long enough, of key's address or (empty key) of any.
    bool closeIdle(const QByteArray& key);
    void remove(QTcpSocket* socket);
};
