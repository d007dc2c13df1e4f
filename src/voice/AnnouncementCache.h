#pragma once

#include <QString>

// Where rendered announcements are kept: one wave file per sound key and text, so a text said again is
// played from the file rendered the first time.
class AnnouncementCache
{
public:
    explicit AnnouncementCache(const QString& folder) : m_folder(folder) {}

    // "voice-cache" in the program folder, or the user's cache folder when that cannot be written.
    static QString folderFor(const QString& programFolder);

    const QString& folder() const { return m_folder; }
    QString pathFor(const QString& soundKey, const QString& text) const;
    // The file, when it has been rendered; empty otherwise.
    QString find(const QString& soundKey, const QString& text) const;
    // Makes the folder; false when it cannot.
    bool prepare() const;

private:
    QString m_folder;
};
