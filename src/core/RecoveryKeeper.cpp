#include "RecoveryKeeper.h"

#include "ClockError.h"
#include "MonotonicClock.h"
#include "RecoveryRecord.h"

RecoveryKeeper::RecoveryKeeper(const TournamentState& state, const RecoveryRecord& record,
                               const MonotonicClock& clock, std::function<bool()> inBreak)
    : m_state(state), m_record(record), m_clock(clock), m_inBreak(std::move(inBreak))
{}

RecoveryValues RecoveryKeeper::current() const
{
    return RecoveryValues::from(m_state, m_inBreak && m_inBreak());
}

void RecoveryKeeper::started()
{
    m_written = current();
    m_writtenAtMs = m_clock.nowMs();
    try {
        m_record.checkFolder();
    } catch (const ClockError& e) {
        setError(e.message());
    }
}

void RecoveryKeeper::setError(const QString& error)
{
    const bool changed = error.isEmpty() != m_lastError.isEmpty();
    m_lastError = error;
    if (changed && failureChanged) {
        failureChanged(error);
    }
}

void RecoveryKeeper::ticked()
{
    if (m_clock.nowMs() - m_writtenAtMs >= WriteIntervalMs) {
        writeIfChanged();
    }
}

void RecoveryKeeper::writeIfChanged()
{
    if (m_finished) {
        return;
    }
    const RecoveryValues now = current();
    if (m_written && *m_written == now) {
        return;
    }
    try {
        m_record.write(m_state, now.InBreak);
        m_written = now;
        m_writtenAtMs = m_clock.nowMs();
        setError(QString());
    } catch (const ClockError& e) {
        setError(e.message());
    }
}

void RecoveryKeeper::finished(bool settingsSaved)
{
    if (m_finished) {
        return;
    }
    m_finished = true;
    const bool inBreak = m_inBreak && m_inBreak();
    if (settingsSaved && !inBreak) {
        m_record.remove();
        return;
    }
    try {
        m_record.write(m_state, inBreak, settingsSaved);
    } catch (const ClockError& e) {
        setError(e.message());
    }
}
