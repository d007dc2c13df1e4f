#include "PayoutTemplateWarnings.h"

#include <QFileInfo>

bool PayoutTemplateWarnings::firstReport(const QString& path, PayoutTemplate::Problem problem, int column)
{
    const QFileInfo info(path);
    const qint64 size = info.exists() ? info.size() : -1;
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    if (path != m_path || size != m_size || modified != m_modified) {
        m_path = path;
        m_size = size;
        m_modified = modified;
        m_reported.clear();
    }
    const Reported entry{problem, column};
    if (m_reported.contains(entry)) {
        return false;
    }
    m_reported.append(entry);
    return true;
}
