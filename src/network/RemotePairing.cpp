#include "RemotePairing.h"

#include "core/MonotonicClock.h"

#include <QRandomGenerator>

namespace {

// Enough remotes for any director; a flood of pairings cannot grow memory without end.
constexpr qsizetype MaxTokens = 64;
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

RemotePairing::Result RemotePairing::pair(const QString& address, const QString& pin, QByteArray* token)
{
    if (!enabled()) {
        return Result::Off;
    }
    const qint64 now = m_clock.nowMs();
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
        return Result::WrongPin;
    }
    m_attempts.remove(address);
    if (m_tokens.size() >= MaxTokens) {
        m_tokens.erase(m_tokens.begin());
    }
    QByteArray bytes(32, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    const QByteArray fresh = bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    m_tokens.insert(fresh);
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
    bool found = false;
    for (const QByteArray& token : m_tokens) {
        found |= sameBytes(presented, token);
    }
    return found;
}
