#include "RemotePairing.h"

#include "core/MonotonicClock.h"

#include <QRandomGenerator>

namespace {

// A flood of guesses cannot grow memory without end.
constexpr qsizetype MaxTrackedAddresses = 4096;

} // namespace

RemotePairing::RemotePairing(QString pin, const MonotonicClock& clock) : m_pin(pin.toUtf8()), m_clock(clock)
{}

bool RemotePairing::sameBytes(const QByteArray& a, const QByteArray& b)
{
    // Every byte is looked at whatever the first difference, so the time taken tells nothing.
    const qsizetype length = qMax(a.size(), b.size());
    unsigned difference = a.size() == b.size() ? 0U : 1U;
    for (qsizetype i = 0; i < length; ++i) {
        const auto x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0U;
        const auto y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0U;
        difference |= x ^ y;
    }
    return difference == 0;
}

void RemotePairing::forgetOld(qint64 now)
{
    for (auto it = m_attempts.begin(); it != m_attempts.end();) {
        const bool locked = it->lockedUntil > now;
        const bool counting = now - it->windowStart < WindowMs;
        it = locked || counting ? std::next(it) : m_attempts.erase(it);
    }
}

void RemotePairing::countServerFailure(qint64 now)
{
    // A quiet spell after the last stop starts the count afresh.
    if (m_stops > 0 && now - m_stoppedUntil >= ServerWindowMs) {
        m_stops = 0;
    }
    while (!m_serverFailures.isEmpty() && now - m_serverFailures.first() >= ServerWindowMs) {
        m_serverFailures.removeFirst();
    }
    m_serverFailures.append(now);
    if (m_serverFailures.size() > MaxServerFailures) {
        m_serverFailures.removeFirst();
    }
    if (m_stops == 0 && m_serverFailures.size() < MaxServerFailures) {
        return;
    }
    m_stoppedUntil = now + qMin(MaxServerLockOutMs, ServerLockOutMs << qMin(m_stops, 6));
    ++m_stops;
}

RemotePairing::Result RemotePairing::pair(const QString& address, const QString& pin, QByteArray* token)
{
    if (!enabled()) {
        return Result::Off;
    }
    const qint64 now = m_clock.nowMs();
    if (now < m_stoppedUntil) {
        return Result::Stopped;
    }
    if (m_attempts.size() >= MaxTrackedAddresses) {
        forgetOld(now);
    }
    const bool known = m_attempts.contains(address);
    Attempts& attempts = m_attempts[address];
    if (!known) {
        attempts.windowStart = now;
    }
    if (attempts.lockedUntil > now) {
        return Result::LockedOut;
    }
    if (now - attempts.windowStart >= WindowMs || attempts.lockedUntil >= 0) {
        attempts = Attempts{now, 0, -1};
    }
    if (pin.size() > MaxPinLength || !sameBytes(pin.toUtf8(), m_pin)) {
        if (++attempts.failures >= MaxFailures) {
            attempts.lockedUntil = now + LockOutMs;
        }
        countServerFailure(now);
        return Result::WrongPin;
    }
    m_attempts.remove(address);
    m_tokens.removeIf([&](const Token& t) { return expired(t, now); });
    while (m_tokens.size() >= MaxTokens) {
        m_tokens.removeFirst();
    }
    QByteArray bytes(32, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    const QByteArray fresh = bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    m_tokens.append({fresh, now});
    if (token) {
        *token = fresh;
    }
    return Result::Paired;
}

bool RemotePairing::authorised(const QByteArray& authorization) const
{
    static const QByteArray Scheme = QByteArrayLiteral("Bearer ");
    if (!authorization.startsWith(Scheme)) {
        return false;
    }
    const QByteArray presented = authorization.mid(Scheme.size()).trimmed();
    const qint64 now = m_clock.nowMs();
    bool found = false;
    for (const Token& token : m_tokens) {
        found |= sameBytes(presented, token.value) && !expired(token, now);
    }
    return found;
}
