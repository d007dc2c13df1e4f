#pragma once

#include "ManagerBackend.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

class QSqlError;
struct ManagerSettings;
struct ManagerConnectionTarget;

// One read-only connection to the manager's database, open for the lifetime of the object and removed
// from Qt's registry when it ends. Each use makes its own, in the thread that uses it; queries taken
// from it must end before it does.
class ManagerConnection
{
public:
    // Throws ManagerError with the database's description when it cannot be opened.
    explicit ManagerConnection(const ManagerSettings& settings);
    explicit ManagerConnection(const ManagerConnectionTarget& target);
    ~ManagerConnection();

    ManagerConnection(const ManagerConnection&) = delete;
    ManagerConnection& operator=(const ManagerConnection&) = delete;

    ManagerBackend backend() const { return m_backend; }

    // Runs a SELECT and returns it before its first row, forward only, exact numbers as text. Throws
    // ManagerError when it fails or is not a SELECT.
    QSqlQuery select(const QString& sql);

    // Every connection name this class registers starts with this.
    static QString namePrefix();

private:
    QString m_name;
    QSqlDatabase m_db;
    ManagerBackend m_backend;

    void open(const ManagerConnectionTarget& target);
    void limitStatements();
    void release();
    static void limitOdbcStatement(const QSqlQuery& query);
};

// A database error's text as the director sees it.
QString DescribeSqlError(const QSqlError& error);

// The message for an Access file the driver could not open: what is wrong in words first, the driver's
// own text after it.
QString DescribeAccessOpenFailure(const QString& filePath, const QString& driverText);
