#pragma once

#include <QHash>
#include <QString>

// The wording of every announcement, as templates with {placeholders}. The English file shipped with the
// program (also built into it) gives every key; a language's own file overrides what it has.
class AnnouncementTemplates
{
public:
    static const QString LevelStart;
    static const QString LevelStartAnte;
    static const QString BreakStart;
    static const QString BreakStartOneMinute;
    static const QString BreakWarning;
    static const QString LevelWarning;
    static const QString LevelWarningOneMinute;
    static const QString LastLevelEnd;

    // The built-in English templates.
    AnnouncementTemplates();

    // The templates for an espeak-ng voice ("en-us", "de"): announcements-<voice>.ini in folder, else
    // announcements-<language>.ini, else announcements-en.ini, each key falling back to English.
    static AnnouncementTemplates forVoice(const QString& folder, const QString& voice);
    // The file a voice reads, or an empty text when the folder has none for it.
    static QString fileForVoice(const QString& folder, const QString& voice);

    // Reads key=value lines over the templates held; false when the file cannot be read.
    bool read(const QString& path);
    // Reads the same lines from text.
    void parse(const QString& text);

    QString value(const QString& key) const { return m_templates.value(key); }
    void set(const QString& key, const QString& text) { m_templates.insert(key, text); }
    // The template of key with each {name} replaced.
    QString fill(const QString& key, const QHash<QString, QString>& values) const;

private:
    QHash<QString, QString> m_templates;
};
