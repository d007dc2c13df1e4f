#include "ManagerConnection.h"

#include "ManagerConnectionTarget.h"
#include "ManagerError.h"

#include <QDir>
#include <QSqlError>
#include <atomic>

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
    if (!query.exec(sql)) {
        throw ManagerError(DescribeSqlError(query.lastError()));
    }
    return query;
}
