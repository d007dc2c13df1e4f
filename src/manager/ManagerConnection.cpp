#include "ManagerConnection.h"

#include "ManagerConnectionTarget.h"
#include "ManagerError.h"
#include "ManagerTimeLimits.h"

#include <QDir>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlResult>
#include <atomic>
#include <sql.h>
#include <sqlext.h>

namespace {

std::atomic<quint64> connectionCounter{0};

} // namespace

QString DescribeSqlError(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    const QString driver = error.driverText().trimmed();
    if (text.isEmpty()) {
        text = driver;
    } else if (!driver.isEmpty() && !text.contains(driver)) {
        text += QStringLiteral(" (") + driver + u')';
    }
    return text.isEmpty() ? QStringLiteral("Unknown database error") : text;
}

QString DescribeAccessOpenFailure(const QString& filePath, const QString& driverText)
{
    return QStringLiteral(
               "The manager database %1 could not be opened as an Access database: the file may be "
               "damaged, not an Access database, or of a version the Access driver cannot read."
               "\r\n\r\nDriver message: %2")
        .arg(QDir::toNativeSeparators(filePath), driverText);
}

QString ManagerConnection::namePrefix()
{
    return QStringLiteral("kavro-manager-");
}

ManagerConnection::ManagerConnection(const ManagerSettings& settings) : m_backend(ManagerBackend::AccessFile)
{
    open(ManagerConnectionTarget::resolve(settings));
}

ManagerConnection::ManagerConnection(const ManagerConnectionTarget& target)
    : m_backend(ManagerBackend::AccessFile)
{
    open(target);
}

ManagerConnection::~ManagerConnection()
{
    release();
}

void ManagerConnection::open(const ManagerConnectionTarget& target)
{
    m_backend = target.Backend;
    if (!target.Problem.isEmpty()) {
        throw ManagerError(target.Problem);
    }
    if (!QSqlDatabase::isDriverAvailable(target.Driver)) {
        throw ManagerError(QStringLiteral("The Qt SQL driver %1 is not installed.").arg(target.Driver));
    }
    m_name = namePrefix() + QString::number(connectionCounter.fetch_add(1));
    m_db = QSqlDatabase::addDatabase(target.Driver, m_name);
    m_db.setDatabaseName(target.DatabaseName);
    if (!target.UserName.isEmpty()) {
        m_db.setUserName(target.UserName);
    }
    if (!target.Password.isEmpty()) {
        m_db.setPassword(target.Password);
    }
    m_db.setConnectOptions(target.ConnectOptions);
    if (!m_db.open()) {
        QString description = DescribeSqlError(m_db.lastError());
        if (m_backend == ManagerBackend::AccessFile && !target.FilePath.isEmpty()) {
            description = DescribeAccessOpenFailure(target.FilePath, description);
        }
        release();
        throw ManagerError(description);
    }
    limitStatements();
}

void ManagerConnection::limitStatements()
{
    // A PostgreSQL server ends any statement of this session that waits longer, on a lock as much as on
    // work; other ODBC servers get the query timeout on each statement in select().
    if (m_db.driver()->dbmsType() != QSqlDriver::PostgreSQL) {
        return;
    }
    QSqlQuery set(m_db);
    // As a query: a read-only data source refuses SET.
    if (!set.exec(QStringLiteral("SELECT set_config('statement_timeout', '%1', false)")
                      .arg(qMax(1, ManagerTimeLimits::current().statementMs)))) {
        const QString description = DescribeSqlError(set.lastError());
        set = QSqlQuery();
        release();
        throw ManagerError(description);
    }
}

void ManagerConnection::release()
{
    if (m_name.isEmpty()) {
        return;
    }
    if (m_db.isOpen()) {
        m_db.close();
    }
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
}

QSqlQuery ManagerConnection::select(const QString& sql)
{
    // The clock never writes to the manager's database, even where a driver ignores the read-only mode.
    if (!sql.trimmed().startsWith(QStringLiteral("select"), Qt::CaseInsensitive)) {
        throw ManagerError(QStringLiteral("Only queries are run against the manager database."));
    }
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (m_backend == ManagerBackend::SqliteFile) {
        if (!query.exec(sql)) {
            throw ManagerError(DescribeSqlError(query.lastError()));
        }
        return query;
    }
    // Prepared first, so the statement exists to take its time limit before it runs.
    if (!query.prepare(sql)) {
        throw ManagerError(DescribeSqlError(query.lastError()));
    }
    limitOdbcStatement(query);
    if (!query.exec()) {
        throw ManagerError(DescribeSqlError(query.lastError()));
    }
    return query;
}

void ManagerConnection::limitOdbcStatement(const QSqlQuery& query)
{
    const QVariant handle = query.result()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "SQLHANDLE") != 0) {
        return;
    }
    SQLHANDLE statement = *static_cast<const SQLHANDLE*>(handle.constData());
    if (statement == nullptr) {
        return;
    }
    const int ms = qMax(1, ManagerTimeLimits::current().statementMs);
    const SQLULEN seconds = SQLULEN((ms + 999) / 1000);
    // A driver without query timeouts refuses; the watchdog around each use still limits it.
    SQLSetStmtAttr(statement, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(seconds), 0);
}
