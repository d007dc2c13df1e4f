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
        m_lastError.clear();
    } catch (const ClockError& e) {
        m_lastError = e.message();
    }
}

void RecoveryKeeper::finished()
{
    m_finished = true;
    m_record.remove();
}
