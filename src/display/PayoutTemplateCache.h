#pragma once

#include "PayoutTemplate.h"

#include <QString>
#include <QtGlobal>
#include <filesystem>

// The last reading of the payout template, kept while the file stays the same (path, size and
// modification time) and the entry count does not change. The clock rebuilds its payout list every third
// second; a template of a large event pays thousands of places and need not be parsed each time.
class PayoutTemplateCache
{
public:
    PayoutTemplate::Reading read(const QString& path, qint16 entries);

    // How often the file itself was read.
    int fileReads() const { return m_fileReads; }

private:
    QString m_path;
    qint16 m_entries = 0;
    std::uintmax_t m_size = 0;
    std::filesystem::file_time_type m_modified;
    PayoutTemplate::Reading m_reading;
    bool m_valid = false;
    int m_fileReads = 0;
};
