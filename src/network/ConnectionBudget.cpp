#include "ConnectionBudget.h"

#include "core/MonotonicClock.h"

#include <QTcpSocket>
#include <algorithm>

ConnectionBudget::Limits ConnectionBudget::Limits::forOpenFileLimit(qint64 openFiles)
{
    Limits limits;
    if (openFiles > 0) {
        limits.maxConnections = int(std::clamp<qint64>(openFiles / 4, 64, 768));
    }
    return limits;
}

ConnectionBudget::ConnectionBudget(Limits limits, const MonotonicClock& clock, QObject* parent)
    : QObject(parent), m_limits(limits), m_clock(clock)
{}

QByteArray ConnectionBudget::addressKey(const QHostAddress& address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (isV4) {
        return QByteArray::number(v4);
    }
    const Q_IPV6ADDR v6 = address.toIPv6Address();
    return QByteArray(reinterpret_cast<const char*>(v6.c), 8);
}

bool ConnectionBudget::fits(const QByteArray& key) const
{
    return m_entries.size() < m_limits.maxConnections && m_perKey.value(key) < m_limits.maxPerAddress;
}

bool ConnectionBudget::makeRoom(const QHostAddress& address)
{
    const QByteArray key = addressKey(address);
    if (m_perKey.value(key) >= m_limits.maxPerAddress && !closeIdle(key)) {
        return false;
    }
    if (m_entries.size() >= m_limits.maxConnections && !closeIdle({})) {
        return false;
    }
    return fits(key);
}

bool ConnectionBudget::closeIdle(const QByteArray& key)
{
    const qint64 latest = m_clock.nowMs() - m_limits.idleCloseMs;
    QTcpSocket* oldest = nullptr;
    qint64 oldestSince = 0;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        const Entry& entry = it.value();
        if (entry.idleSince < 0 || entry.idleSince > latest || (!key.isEmpty() && entry.key != key)) {
            continue;
        }
        if (!oldest || entry.idleSince < oldestSince) {
            oldest = it.key();
            oldestSince = entry.idleSince;
        }
    }
    if (!oldest) {
        return false;
    }
    remove(oldest);
    oldest->abort();
    oldest->deleteLater();
    return true;
}

void ConnectionBudget::add(QTcpSocket* socket, const QHostAddress& address, bool idle)
{
    Entry entry;
    entry.key = addressKey(address);
    entry.idleSince = idle ? m_clock.nowMs() : -1;
    ++m_perKey[entry.key];
    m_entries.insert(socket, entry);
    connect(socket, &QAbstractSocket::stateChanged, this, [this, socket](QAbstractSocket::SocketState state) {
        if (state == QAbstractSocket::UnconnectedState) {
            remove(socket);
        }
    });
    connect(socket, &QObject::destroyed, this, [this, socket] { remove(socket); });
}

void ConnectionBudget::setIdle(QTcpSocket* socket, bool idle)
{
    const auto it = m_entries.find(socket);
    if (it != m_entries.end()) {
        it->idleSince = idle ? m_clock.nowMs() : -1;
    }
}

void ConnectionBudget::remove(QTcpSocket* socket)
{
    const auto it = m_entries.find(socket);
    if (it == m_entries.end()) {
        return;
    }
    const auto count = m_perKey.find(it->key);
    if (--*count == 0) {
        m_perKey.erase(count);
    }
    m_entries.erase(it);
}
