#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QtGlobal>

class MonotonicClock;

// The remote's PIN and the tokens it hands out. A token is valid for TokenLifetimeMs or until the
// director forgets the paired phones. Guessing is slowed twice: per address, after MaxFailures wrong
// PINs within WindowMs that address is refused for LockOutMs; and for the whole clock, since an attacker
// can have as many addresses as they like, after MaxServerFailures wrong PINs within ServerWindowMs
// nobody can pair for ServerLockOutMs, doubling with each further wrong PIN up to MaxServerLockOutMs.
class RemotePairing
{
public:
    static constexpr int MaxFailures = 5;
    static constexpr qint64 WindowMs = 60'000;
    static constexpr qint64 LockOutMs = 60'000;
    static constexpr int MaxServerFailures = 10;
    static constexpr qint64 ServerWindowMs = 10 * 60'000;
    static constexpr qint64 ServerLockOutMs = 60'000;
    static constexpr qint64 MaxServerLockOutMs = 60 * 60'000;
    static constexpr qint64 TokenLifetimeMs = 12 * 3600'000;
    static constexpr qsizetype MaxTokens = 64;
    static constexpr qsizetype MaxPinLength = 64;

    enum class Result
    {
        Paired,
        WrongPin,
        LockedOut,
        // Too many wrong PINs from all addresses together: nobody pairs for now.
        Stopped,
        Off
    };

    RemotePairing(QString pin, const MonotonicClock& clock);

    bool enabled() const { return !m_pin.isEmpty(); }
    // On Paired, token holds the new token.
    Result pair(const QString& address, const QString& pin, QByteArray* token);
    // An "Authorization: Bearer TOKEN" value of a paired remote.
    bool authorised(const QByteArray& authorization) const;
    // Every paired phone must pair again.
    void forgetTokens() { m_tokens.clear(); }
    // The monotonic time until which nobody can pair, or -1.
    qint64 stoppedUntil() const { return m_stoppedUntil; }

    static bool sameBytes(const QByteArray& a, const QByteArray& b);

private:
    struct Attempts
    {
        qint64 windowStart = 0;
        int failures = 0;
        qint64 lockedUntil = -1;
    };
    struct Token
    {
        QByteArray value;
        qint64 issued = 0;
    };

    QByteArray m_pin;
    const MonotonicClock& m_clock;
    // Oldest first.
    QList<Token> m_tokens;
    QHash<QString, Attempts> m_attempts;
    // The times of the latest wrong PINs from anywhere, oldest first, at most MaxServerFailures.
    QList<qint64> m_serverFailures;
    qint64 m_stoppedUntil = -1;
    // Stops in a row without a quiet ServerWindowMs between them.
    int m_stops = 0;

    void forgetOld(qint64 now);
    void countServerFailure(qint64 now);
    bool expired(const Token& token, qint64 now) const { return now - token.issued >= TokenLifetimeMs; }
};
