#include "RecoveryRecord.h"

#include "ClockError.h"
#include "ClockFolders.h"
#include "ClockSettingsFile.h"
#include "IniLine.h"
#include "LevelTime.h"
#include "TextFile.h"
#include "TournamentState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>

namespace {

const QString BreakKey = QStringLiteral("Break");
const QString ClosedKey = QStringLiteral("Closed");

std::optional<qint16> int16Value(const QHash<QString, QString>& values, const char* key)
{
    const auto it = values.constFind(QLatin1String(key).toString().toUpper());
    if (it == values.constEnd()) {
        return std::nullopt;
    }
    // Only whole numbers as the clock writes them: a damaged digit must not pass as a rounded value.
    bool ok = false;
    const short number = it->toShort(&ok);
    return ok ? std::optional<qint16>(number) : std::nullopt;
}

} // namespace

RecoveryRecord::RecoveryRecord(const ClockFolders& folders)
    : m_path(QDir(folders.Program).filePath(QLatin1String(FileName))), m_settingsPath(folders.settingsFile())
{}

QStringList RecoveryRecord::lines(const TournamentState& state, bool inBreak, bool closed)
{
    QStringList all = ClockSettingsLines(state);
    all.append(QStringLiteral(";"));
    all.append(BreakKey + u'=' + (inBreak ? u'1' : u'0'));
    if (closed) {
        all.append(ClosedKey + QStringLiteral("=1"));
    }
    return all;
}

void RecoveryRecord::write(const TournamentState& state, bool inBreak, bool closed) const
{
    TextFile::writeLines(m_path, lines(state, inBreak, closed));
}

void RecoveryRecord::checkFolder() const
{
    const QString folder = QFileInfo(m_path).absolutePath();
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("darvel.XXXXXX.probe")));
    if (!probe.open()) {
        throw ClockError(QStringLiteral("Cannot write in %1: %2")
                             .arg(QDir::toNativeSeparators(folder), probe.errorString()));
    }
}

std::optional<RecoveryValues> RecoveryRecord::parse(const QStringList& lines)
{
    QHash<QString, QString> values;
    for (const QString& text : lines) {
        if (const auto line = IniLine::parse(text)) {
            values.insert(line->key, line->value);
        }
    }
    RecoveryValues v;
    const std::pair<const char*, qint16*> numbers[] = {
        {"Level", &v.Level},
        {"Players", &v.Players},
        {"Entries", &v.Entries},
        {"Rebuys", &v.Rebuys},
        {"Addons", &v.Addons},
        {"Player_Variance", &v.Player_Variance},
        {"Entry_Variance", &v.Entry_Variance},
        {"Rebuy_Variance", &v.Rebuy_Variance},
        {"Addon_Variance", &v.Addon_Variance},
    };
    for (const auto& [key, target] : numbers) {
        const auto number = int16Value(values, key);
        if (!number) {
            return std::nullopt;
        }
        *target = *number;
    }
    const auto inBreak = int16Value(values, "Break");
    const auto time = values.constFind(QStringLiteral("TIME"));
    if (!inBreak || (*inBreak != 0 && *inBreak != 1) || time == values.constEnd() ||
        (*time != QLatin1String("--:--") && !LevelTime::seconds(*time))) {
        return std::nullopt;
    }
    v.InBreak = *inBreak == 1;
    v.Closed = int16Value(values, "Closed") == qint16(1);
    v.Time = *time;
    return v;
}

std::optional<RecoveryValues> RecoveryRecord::resumable(const TournamentState& state) const
{
    const QFileInfo record(m_path);
    const QFileInfo settings(m_settingsPath);
    if (!record.isFile() || !settings.isFile() || record.lastModified() < settings.lastModified()) {
        return std::nullopt;
    }
    QStringList text;
    try {
        text = TextFile::readLines(m_path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    // A record of another tournament or structure would put its level and counts on this one.
    QString tournamentId;
    QString blinds;
    for (const QString& line : text) {
        if (const auto parsed = IniLine::parse(line)) {
            if (parsed->key == QLatin1String("TOURNAMENT_ID")) {
                tournamentId = parsed->value;
            } else if (parsed->key == QLatin1String("BLINDS")) {
                blinds = parsed->value;
            }
        }
    }
    if (tournamentId != QString::number(state.Tournament.Tournament_ID) ||
        blinds.compare(state.Tournament.Blinds, Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    return parse(text);
}

QString RecoveryRecord::resumedMessage(const RecoveryValues& values, const QDateTime& at)
{
    const QString where = values.InBreak ? QStringLiteral("the break after level %1").arg(values.Level)
                                         : QStringLiteral("level %1").arg(values.Level);
    return QStringLiteral("The clock did not end normally. The tournament resumes where it stood at %1: %2, "
                          "%3 left.\r\n\r\nThe clock is paused.")
        .arg(at.isValid() ? at.toString(QStringLiteral("HH:mm:ss")) : QStringLiteral("the last save"), where,
             values.Time);
}

QDateTime RecoveryRecord::written() const
{
    const QFileInfo record(m_path);
    return record.isFile() ? record.lastModified() : QDateTime();
}

void RecoveryRecord::remove() const
{
    QFile::remove(m_path);
}
