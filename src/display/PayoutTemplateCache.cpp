#include "PayoutTemplateCache.h"

#include <system_error>

PayoutTemplate::Reading PayoutTemplateCache::read(const QString& path, qint16 entries)
{
    std::error_code error;
    const std::filesystem::path file(path.toStdString());
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    const bool known = !error;
    const std::filesystem::file_time_type modified = std::filesystem::last_write_time(file, error);
    if (known && !error && m_valid && path == m_path && entries == m_entries && size == m_size &&
        modified == m_modified) {
        return m_reading;
    }
    ++m_fileReads;
    m_reading = PayoutTemplate::read(path, entries);
    m_valid = known && !error;
    m_path = path;
    m_entries = entries;
    m_size = size;
    m_modified = modified;
    return m_reading;
}
