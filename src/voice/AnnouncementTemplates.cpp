#include "AnnouncementTemplates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

const QString AnnouncementTemplates::LevelStart = QStringLiteral("Level_Start");
const QString AnnouncementTemplates::LevelStartAnte = QStringLiteral("Level_Start_Ante");
const QString AnnouncementTemplates::BreakStart = QStringLiteral("Break_Start");
const QString AnnouncementTemplates::BreakStartOneMinute = QStringLiteral("Break_Start_One_Minute");
const QString AnnouncementTemplates::BreakWarning = QStringLiteral("Break_Warning");
const QString AnnouncementTemplates::LevelWarning = QStringLiteral("Level_Warning");
const QString AnnouncementTemplates::LevelWarningOneMinute = QStringLiteral("Level_Warning_One_Minute");
const QString AnnouncementTemplates::LastLevelEnd = QStringLiteral("Last_Level_End");

namespace {

QString templateFile(const QString& folder, const QString& language)
{
    return QDir(folder).filePath(QStringLiteral("announcements-%1.ini").arg(language));
}

} // namespace

AnnouncementTemplates::AnnouncementTemplates()
{
    // The same file the program folder holds, built in so a missing or cut-down copy still speaks.
    Q_INIT_RESOURCE(voice_templates);
    read(QStringLiteral(":/voice/announcements-en.ini"));
}

QString AnnouncementTemplates::fileForVoice(const QString& folder, const QString& voice)
{
    const QString name = voice.trimmed().toLower();
    QStringList candidates;
    if (!name.isEmpty()) {
        candidates << name << name.section(u'-', 0, 0);
    }
    candidates << QStringLiteral("en");
    for (const QString& language : candidates) {
        const QString path = templateFile(folder, language);
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    return {};
}

AnnouncementTemplates AnnouncementTemplates::forVoice(const QString& folder, const QString& voice)
{
    AnnouncementTemplates templates;
    const QString english = templateFile(folder, QStringLiteral("en"));
    if (QFileInfo(english).isFile()) {
        templates.read(english);
    }
    const QString own = fileForVoice(folder, voice);
    if (!own.isEmpty() && own != english) {
        templates.read(own);
    }
    return templates;
}

bool AnnouncementTemplates::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    parse(QString::fromUtf8(file.readAll()));
    return true;
}

void AnnouncementTemplates::parse(const QString& text)
{
    // Not QSettings: it would split a template at its commas.
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#') || line.startsWith(u'[')) {
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0) {
            continue;
        }
        const QString value = line.mid(equals + 1).trimmed();
        if (!value.isEmpty()) {
            m_templates.insert(line.left(equals).trimmed(), value);
        }
    }
}

QString AnnouncementTemplates::fill(const QString& key, const QHash<QString, QString>& values) const
{
    QString text = value(key);
    for (auto it = values.begin(); it != values.end(); ++it) {
        text.replace(u'{' + it.key() + u'}', it.value());
    }
    return text;
}
