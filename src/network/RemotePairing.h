#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QtGlobal>

class MonotonicClock;

// The remote's PIN and the tokens it hands out. A token stays valid until the clock ends. Guessing is
// slowed per address: after MaxFailures wrong PINs within Window, that address is refused for LockOut,
// while other addresses go on as before.
class RemotePairing
{
public:
    static constexpr int MaxFailures = 5;
    static constexpr qint64 WindowMs = 60'000;
    static constexpr qint64 LockOutMs = 60'000;
    static constexpr qsizetype MaxPinLength = 64;

    enum class Result
    {
        Paired,
        WrongPin,
        LockedOut,
        Off
    };

    RemotePairing(QString pin, const MonotonicClock& clock);

    bool enabled() const { return !m_pin.isEmpty(); }
    // On Paired, token holds the new token.
    Result pair(const QString& address, const QString& pin, QByteArray* token);
    // An "Authorization: Bearer TOKEN" value of a paired remote.
    bool authorised(const QByteArray& authorization) const;

    static bool sameBytes(const QByteArray& a, const QByteArray& b);

private:
    struct Attempts
    {
        qint64 windowStart = 0;
        int failures = 0;
        qint64 lockedUntil = -1;
    };

    QByteArray m_pin;
    const MonotonicClock& m_clock;
    QSet<QByteArray> m_tokens;
    QHash<QString, Attempts> m_attempts;

    void forgetOld(qint64 now);
};
