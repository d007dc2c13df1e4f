#pragma once

#include "PayoutTemplate.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>

// Remembers which template problems the director has already been told about, so that a broken template
// is reported once rather than by a new modal box on every payout rebuild; once the file changes (path,
// size or modification time) its problems are reported afresh.
class PayoutTemplateWarnings
{
public:
    // True the first time this problem of this column is met in this version of the file; it then counts
    // as reported. Record before showing: the clock keeps rebuilding while the box is open.
    bool firstReport(const QString& path, PayoutTemplate::Problem problem, int column);

private:
    struct Reported
    {
        PayoutTemplate::Problem problem;
        int column;
        bool operator==(const Reported&) const = default;
    };

    QString m_path;
    qint64 m_size = -1;
    QDateTime m_modified;
    QList<Reported> m_reported;
};
