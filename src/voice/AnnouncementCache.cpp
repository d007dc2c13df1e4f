#include "AnnouncementCache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString AnnouncementCache::folderFor(const QString& programFolder)
{
    const QString own = QDir(programFolder).filePath(QStringLiteral("voice-cache"));
    if (QDir().mkpath(own) && QFileInfo(own).isWritable()) {
        return own;
    }
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(QStringLiteral("voice-cache"));
}

QString AnnouncementCache::pathFor(const QString& soundKey, const QString& text) const
{
    const QByteArray hash =
        QCryptographicHash::hash((soundKey + u'\n' + text).toUtf8(), QCryptographicHash::Sha1).toHex();
    return QDir(m_folder).filePath(QString::fromLatin1(hash) + QStringLiteral(".wav"));
}

QString AnnouncementCache::find(const QString& soundKey, const QString& text) const
{
    const QString path = pathFor(soundKey, text);
    return QFileInfo(path).isFile() ? path : QString();
}

bool AnnouncementCache::prepare() const
{
    return QDir().mkpath(m_folder);
}
