#include "ManagerConnectionTarget.h"

#include "ManagerIni.h"
#include "ManagerSettings.h"
#include "ManagerTimeLimits.h"
#include "OdbcDataSources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString odbcOptions()
{
    return QStringLiteral("SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY;SQL_ATTR_LOGIN_TIMEOUT=%1")
        .arg(qMax(1, ManagerTimeLimits::current().connectSeconds));
}

#ifdef Q_OS_WIN
const QString SqlServerDriver = QStringLiteral("{SQL Server}");
const QString AccessDriver = QStringLiteral("{Microsoft Access Driver (*.mdb, *.accdb)}");
#else
const QString SqlServerDriver = QStringLiteral("{FreeTDS}");
const QString AccessDriver = QStringLiteral("{MDBTools}");
#endif

QString trimBlanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u' ') {
        ++start;
    }
    while (end > start && text.at(end - 1) == u' ') {
        --end;
    }
    return text.mid(start, end - start);
}

} // namespace

QString ManagerConnectionTarget::odbcValue(const QString& value)
{
    bool plain = !value.startsWith(u' ') && !value.endsWith(u' ');
    for (const QChar c : value) {
        if (c == u';' || c == u'{' || c == u'}' || c == u'=' || c.unicode() < 0x20) {
            plain = false;
        }
    }
    if (plain) {
        return value;
    }
    QString escaped = value;
    escaped.replace(QStringLiteral("}"), QStringLiteral("}}"));
    return u'{' + escaped + u'}';
}

ManagerConnectionTarget ManagerConnectionTarget::resolve(const ManagerSettings& settings)
{
    if (!IsBlank(settings.SQLSERVER)) {
        return resolve(settings, OdbcDataSourceNames());
    }
    return resolve(settings, QStringList());
}

ManagerConnectionTarget ManagerConnectionTarget::resolve(const ManagerSettings& settings,
                                                         const QStringList& dataSources)
{
    ManagerConnectionTarget t;
    const bool integrated = IsBlank(settings.DBUSERNAME) && IsBlank(settings.DBPASSWORD);
    if (!IsBlank(settings.SQLSERVER)) {
        const QString server = trimBlanks(settings.SQLSERVER);
        t.Driver = QStringLiteral("QODBC");
        t.ConnectOptions = odbcOptions();
        for (const QString& dsn : dataSources) {
            if (dsn.compare(server, Qt::CaseInsensitive) == 0) {
                // Qt turns a bare name into DSN=name and adds UID/PWD itself, unescaped: brace them here.
                t.Backend = ManagerBackend::OdbcDataSource;
                t.DatabaseName = dsn;
                if (!integrated) {
                    t.UserName = odbcValue(settings.DBUSERNAME);
                    t.Password = odbcValue(settings.DBPASSWORD);
                }
                return t;
            }
        }
        t.Backend = ManagerBackend::SqlServer;
        t.DatabaseName = QStringLiteral("DRIVER=") + SqlServerDriver + QStringLiteral(";SERVER=") +
                         odbcValue(server) + QStringLiteral(";DATABASE=") +
                         odbcValue(trimBlanks(settings.DATABASE));
        if (integrated) {
            t.DatabaseName += QStringLiteral(";Trusted_Connection=Yes");
        } else {
            t.DatabaseName += QStringLiteral(";UID=") + odbcValue(settings.DBUSERNAME) +
                              QStringLiteral(";PWD=") + odbcValue(settings.DBPASSWORD);
        }
        return t;
    }

    const QString path = settings.DATABASE;
    if (IsBlank(path)) {
        t.Problem = QStringLiteral("No manager database is set: DATABASE in kavro.ini is blank.");
        return t;
    }
    // Opening a pipe or a device would wait for a writer that never comes.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        t.Problem = QStringLiteral("Cannot open the manager database %1: it is not a file.")
                        .arg(QDir::toNativeSeparators(path));
        return t;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        t.Problem = QStringLiteral("Cannot open the manager database %1: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString());
        return t;
    }
    static const QByteArray sqliteHeader("SQLite format 3\0", 16);
    if (file.read(16) == sqliteHeader) {
        t.Backend = ManagerBackend::SqliteFile;
        t.Driver = QStringLiteral("QSQLITE");
        t.DatabaseName = path;
        t.ConnectOptions = QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1")
                               .arg(qMax(1, ManagerTimeLimits::current().statementMs));
        return t;
    }
    t.Backend = ManagerBackend::AccessFile;
    t.FilePath = path;
    t.Driver = QStringLiteral("QODBC");
    t.ConnectOptions = odbcOptions();
    t.DatabaseName = QStringLiteral("DRIVER=") + AccessDriver + QStringLiteral(";DBQ=") + odbcValue(path);
    if (!IsBlank(settings.DBPASSWORD)) {
        t.DatabaseName += QStringLiteral(";PWD=") + odbcValue(settings.DBPASSWORD);
    }
    return t;
}
