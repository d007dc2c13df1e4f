#pragma once

#include "RecoveryValues.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

class MonotonicClock;
class RecoveryRecord;
struct TournamentState;

// Decides when the recovery record is written: at once after a key or a settings change that changed
// the tournament, and while the clock runs at least every WriteIntervalMs. Nothing is written while
// nothing changes, so a paused clock leaves the disk alone. A failed write is retried at the next chance;
// the clock never stops for it, but failureChanged tells the screen.
class RecoveryKeeper
{
public:
    static constexpr qint64 WriteIntervalMs = 30000;

    RecoveryKeeper(const TournamentState& state, const RecoveryRecord& record, const MonotonicClock& clock,
                   std::function<bool()> inBreak);

    // The values at start-up, already on disk in darvel.ini or the record: nothing to write for them.
    // Whether the record's folder takes a file is tried at once, so a read-only folder is known before
    // the night's first key.
    void started();
    void keyHandled() { writeIfChanged(); }
    void settingsClosed() { writeIfChanged(); }
    void ticked();
    // The clock screen closed; nothing is written afterwards. With darvel.ini saved the record goes, or,
    // in a break, stays marked as closed so that the next start resumes the break. Without it, the record
    // is brought up to date and kept: it is then the only copy of the tournament.
    void finished(bool settingsSaved);

    // The message of the last write when it failed, empty when it worked.
    const QString& lastError() const { return m_lastError; }
    // Called with the message when writes start to fail, and with an empty text when one works again.
    std::function<void(const QString& error)> failureChanged;

private:
    const TournamentState& m_state;
    const RecoveryRecord& m_record;
    const MonotonicClock& m_clock;
    std::function<bool()> m_inBreak;
    std::optional<RecoveryValues> m_written;
    qint64 m_writtenAtMs = 0;
    bool m_finished = false;
    QString m_lastError;

    RecoveryValues current() const;
    void writeIfChanged();
    void setError(const QString& error);
};
