#include "ManagerDatabaseFile.h"

#include "TempProgramFolder.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>

QString WriteManagerDatabase(const TempProgramFolder& dir, bool autoProgramUpgrade,
                             const QStringList& moreSql)
{
    const QString path = dir.parentPath(QStringLiteral("manager.db"));
    const QString name = QStringLiteral("test-manager-writer");
    QString error;
    {
        QSqlDatabase conn = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        conn.setDatabaseName(path);
        if (!conn.open()) {
            error = conn.lastError().text();
        }
        QStringList statements{
            QStringLiteral("CREATE TABLE config (user_win_csymbol INTEGER, hide_tourny INTEGER, "
                           "auto_program_upgrade INTEGER)"),
            QStringLiteral("INSERT INTO config VALUES (0, 0, %1)").arg(autoProgramUpgrade ? 1 : 0)};
        statements += moreSql;
        for (const QString& sql : statements) {
            QSqlQuery q(conn);
            if (error.isEmpty() && !q.exec(sql)) {
                error = sql + QStringLiteral(": ") + q.lastError().text();
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty()) {
        throw std::runtime_error("cannot write the manager database: " + error.toStdString());
    }
    dir.writeParent(QStringLiteral("kavro.ini"), "DATABASE=" + path.toUtf8() + "\r\nSQLSERVER=\r\n");
    return path;
}
