#include "ManagerIni.h"

#include "ManagerFatalError.h"
#include "ManagerSettings.h"
#include "core/ClockError.h"
#include "core/FolderLookup.h"
#include "core/IniLine.h"
#include "core/MessageBoxes.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A kavro.ini edited on Windows may leave blanks after a path; no file name there ends in one.
QString withoutTrailingBlanks(const QString& path)
{
    qsizetype end = path.size();
    while (end > 0 && (path.at(end - 1) == u' ' || path.at(end - 1) == u'\t')) {
        --end;
    }
    return path.left(end);
}

} // namespace

bool IsBlank(const QString& text)
{
    for (const QChar c : text) {
        if (c != u' ') {
            return false;
        }
    }
    return true;
}

void ApplyManagerDialect(ManagerSettings& settings)
{
    settings.IsSqlServer = !IsBlank(settings.SQLSERVER);
    settings.DateDelimiter = settings.IsSqlServer ? QStringLiteral("'") : QStringLiteral("#");
    settings.BooleanQuote = settings.IsSqlServer ? QStringLiteral("'") : QString();
}

void ReadManagerIni(ManagerSettings& settings, const QString& parentFolder, const QString& mode,
                    MessageBoxes& boxes)
{
    QString path = parentFolder + QStringLiteral("kavro.ini");
    if (!QFileInfo::exists(path)) {
        // A manager folder brought over from Windows may hold it as "KAVRO.INI".
        const QString found = FolderLookup::find(parentFolder, QStringLiteral("kavro.ini"));
        if (!found.isEmpty()) {
            path = QDir::toNativeSeparators(found);
        }
    }
    if (!QFileInfo::exists(path)) {
        const QString text = path + QStringLiteral(" is missing!");
        boxes.show(MessageBoxes::Icon::Warning, text);
        throw ManagerFatalError(text);
    }
    try {
        if (mode.trimmed().toUpper() == QStringLiteral("READ")) {
            for (const QString& line : TextFile::readLines(path)) {
                const auto entry = IniLine::parse(line);
                if (!entry) {
                    continue;
                }
                if (entry->key == QStringLiteral("DATABASE")) {
                    settings.DATABASE = withoutTrailingBlanks(entry->value);
                } else if (entry->key == QStringLiteral("FILEPATH")) {
                    settings.FILEPATH = withoutTrailingBlanks(entry->value);
                } else if (entry->key == QStringLiteral("SQLSERVER")) {
                    settings.SQLSERVER = entry->value;
                } else if (entry->key == QStringLiteral("DBUSERNAME")) {
                    settings.DBUSERNAME = entry->value;
                } else if (entry->key == QStringLiteral("DBPASSWORD")) {
                    settings.DBPASSWORD = entry->value;
                }
            }
        }
        ApplyManagerDialect(settings);
    } catch (const ClockError& e) {
        const QString text =
            QStringLiteral("INI file ") + mode.toLower() + QStringLiteral(" error: ") + e.message();
        boxes.show(MessageBoxes::Icon::None, text);
        throw ManagerFatalError(text);
    }
}

QString BuildConnectionString(const ManagerSettings& s)
{
    if (s.IsSqlServer) {
        QString text = QStringLiteral("Provider=SQLOLEDB");
        if (IsBlank(s.DBUSERNAME) && IsBlank(s.DBPASSWORD)) {
            text += QStringLiteral(";Trusted_Connection=yes");
        } else {
            text += QStringLiteral(";User ID=") + s.DBUSERNAME + QStringLiteral(";Password=") + s.DBPASSWORD;
        }
        return text + QStringLiteral(";Initial Catalog=") + s.DATABASE + QStringLiteral(";Data Source=") +
               s.SQLSERVER;
    }
    const QString text = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + s.DATABASE;
    if (IsBlank(s.DBPASSWORD)) {
        return text + QStringLiteral(";Persist Security Info=False;");
    }
    return text + QStringLiteral(";Jet OLEDB:Database Password=") + s.DBPASSWORD + QStringLiteral(";");
}

QString LocaleCurrencySymbol(const QLocale& locale)
{
    QString text = locale.toCurrencyString(0.0, QString(), 0);
    text.remove(u'0');
    text.remove(locale.zeroDigit());
    return text.trimmed();
}
