#pragma once

#include "RecoveryValues.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

struct ClockFolders;
struct TournamentState;

// "darvel.recovery" beside darvel.ini: the running tournament, kept so that a crash, a power cut or a
// killed process loses little. It holds darvel.ini's lines for the state plus whether a break runs, and
// is replaced in one step, so it is either the old record or the new one, never half of each.
class RecoveryRecord
{
public:
    static constexpr const char* FileName = "darvel.recovery";

    explicit RecoveryRecord(const ClockFolders& folders);

    QString path() const { return m_path; }

    // closed marks the record of a normal exit in a break: darvel.ini cannot say that a break runs.
    static QStringList lines(const TournamentState& state, bool inBreak, bool closed = false);

    // Throws ClockError when the record cannot be written; the previous record then stays.
    void write(const TournamentState& state, bool inBreak, bool closed = false) const;

    // Throws ClockError with the reason when no file can be made in the record's folder.
    void checkFolder() const;

    // The values to resume with, when a record exists that is not older than darvel.ini, belongs to the
    // tournament and blind structure state was read with, and holds every value in range. Anything else,
    // a damaged record included, gives nothing.
    std::optional<RecoveryValues> resumable(const TournamentState& state) const;

    // When the record was last written; invalid without a record.
    QDateTime written() const;

    // At a normal exit: the tournament has then ended or been saved by the director.
    void remove() const;

    // The one message that tells the director the tournament was resumed from a record written at.
    static QString resumedMessage(const RecoveryValues& values, const QDateTime& at);

    // The values of a record's lines; nothing when one is missing or out of range.
    static std::optional<RecoveryValues> parse(const QStringList& lines);

private:
    QString m_path;
    QString m_settingsPath;
};
