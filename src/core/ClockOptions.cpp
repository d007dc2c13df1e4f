#include "ClockOptions.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace {

const QString Players = QStringLiteral("Network/Players_View");
const QString Port = QStringLiteral("Network/Port");
const QString Bind = QStringLiteral("Network/Bind");
const QString Pin = QStringLiteral("Network/Remote_PIN");
const QString HostNames = QStringLiteral("Network/Host_Names");
const QString Announcements = QStringLiteral("Voice/Announcements");
const QString VoiceName = QStringLiteral("Voice/Voice");
const QString Rate = QStringLiteral("Voice/Rate");
const QString Warning = QStringLiteral("Voice/Level_Warning_Minutes");

bool flag(const QSettings& file, const QString& key, bool fallback)
{
    const QString text = file.value(key).toString().trimmed().toLower();
    if (text == QStringLiteral("true") || text == QStringLiteral("1") || text == QStringLiteral("yes")) {
        return true;
    }
    if (text == QStringLiteral("false") || text == QStringLiteral("0") || text == QStringLiteral("no")) {
        return false;
    }
    return fallback;
}

int number(const QSettings& file, const QString& key, int low, int high, int fallback)
{
    bool ok = false;
    const int value = file.value(key).toString().trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

} // namespace

QString ClockOptions::pinProblem(const QString& pin)
{
    const bool digits = std::all_of(pin.begin(), pin.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (pin.isEmpty() || (digits && pin.size() >= MinPinDigits && pin.size() <= MaxPinDigits)) {
        return {};
    }
    return QStringLiteral("must be %1 to %2 digits.").arg(MinPinDigits).arg(MaxPinDigits);
}

QStringList ClockOptions::problems() const
{
    QStringList found;
    if (network.port < MinPort || network.port > MaxPort) {
        found << QStringLiteral("The port must be from %1 to %2 (the live push uses the port after it).")
                     .arg(MinPort)
                     .arg(MaxPort);
    }
    if (!pinProblem(network.remotePin).isEmpty()) {
        found << QStringLiteral("The remote PIN must be %1 to %2 digits, or empty for no remote.")
                     .arg(MinPinDigits)
                     .arg(MaxPinDigits);
    }
    if (voice.rate < MinRate || voice.rate > MaxRate) {
        found << QStringLiteral("The rate must be from %1 to %2 words per minute.").arg(MinRate).arg(MaxRate);
    }
    return found;
}

QString ClockOptions::fileName(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("options.ini"));
}

ClockOptions ClockOptions::load(const QString& programFolder)
{
    ClockOptions options;
    const QString path = fileName(programFolder);
    if (!QFileInfo::exists(path)) {
        return options;
    }
    const QSettings file(path, QSettings::IniFormat);
    const ClockOptions defaults;
    options.network.playersView = flag(file, Players, defaults.network.playersView);
    options.network.port = quint16(number(file, Port, MinPort, MaxPort, defaults.network.port));
    options.network.bind = file.value(Bind).toString().trimmed();
    options.network.remotePin = file.value(Pin).toString().trimmed();
    // Comma separated: QSettings hands a list back when there is a comma, a string when there is none.
    for (const QString& part : file.value(HostNames).toStringList()) {
        for (const QString& name : part.split(QLatin1Char(','))) {
            if (!name.trimmed().isEmpty()) {
                options.network.hostNames.append(name.trimmed());
            }
        }
    }
    const QString problem = pinProblem(options.network.remotePin);
    if (!problem.isEmpty()) {
        options.network.remotePin.clear();
        options.network.remoteOff =
            QStringLiteral("The remote is off: Remote_PIN in options.ini %1").arg(problem);
    }
    options.voice.announcements = flag(file, Announcements, defaults.voice.announcements);
    const QString voice = file.value(VoiceName).toString().trimmed();
    options.voice.voice = voice.isEmpty() ? defaults.voice.voice : voice;
    options.voice.rate = number(file, Rate, MinRate, MaxRate, defaults.voice.rate);
    options.voice.levelWarningMinutes = number(file, Warning, 0, 999, defaults.voice.levelWarningMinutes);
    return options;
}

bool ClockOptions::save(const QString& programFolder, QString* error) const
{
    QSettings file(fileName(programFolder), QSettings::IniFormat);
    file.setValue(Players, network.playersView);
    file.setValue(Port, network.port);
    file.setValue(Bind, network.bind);
    file.setValue(Pin, network.remotePin);
    file.setValue(HostNames, network.hostNames.join(QLatin1Char(',')));
    file.setValue(Announcements, voice.announcements);
    file.setValue(VoiceName, voice.voice);
    file.setValue(Rate, voice.rate);
    file.setValue(Warning, voice.levelWarningMinutes);
    file.sync();
    if (file.status() != QSettings::NoError) {
        if (error) {
            *error = QStringLiteral("The options could not be written to %1.").arg(fileName(programFolder));
        }
        return false;
    }
    return true;
}
