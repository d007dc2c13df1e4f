#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <stdexcept>

// A writable manager database for tests and benchmarks: an SQLite file, or the database behind an ODBC
// data source (PostgreSQL in the test runs). The clock itself only ever reads.
class ManagerTestDb
{
public:
    enum class Kind
    {
        Sqlite,
        Odbc
    };

    ManagerTestDb(Kind kind, const QString& database)
        : m_kind(kind), m_name(QStringLiteral("kavro-test-writer-%1").arg(++counter()))
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(
                kind == Kind::Sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QODBC"), m_name);
            db.setDatabaseName(database);
            if (!db.open()) {
                const QString error = db.lastError().text();
                db = QSqlDatabase();
                QSqlDatabase::removeDatabase(m_name);
                throw std::runtime_error("cannot open test database: " + error.toStdString());
            }
        }
    }
    ~ManagerTestDb()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    ManagerTestDb(const ManagerTestDb&) = delete;
    ManagerTestDb& operator=(const ManagerTestDb&) = delete;

    void exec(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        if (!q.exec(sql)) {
            throw std::runtime_error(
                ("test SQL failed: " + sql.left(200) + " : " + q.lastError().text()).toStdString());
        }
    }

    // The manager's tables, emptied: config, tournament, transactions, and tables with 10 seats.
    void createSchema()
    {
        const QString flag = m_kind == Kind::Sqlite ? QStringLiteral("INTEGER") : QStringLiteral("BOOLEAN");
        const QString date = m_kind == Kind::Sqlite ? QStringLiteral("TEXT") : QStringLiteral("DATE");
        for (const char* table : {"config", "tournament", "transactions", "tables"}) {
            exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(table)));
        }
        exec(QStringLiteral(
                 "CREATE TABLE config (user_win_csymbol %1, hide_tourny %1, auto_program_upgrade %1)")
                 .arg(flag));
        exec(QStringLiteral(
                 "CREATE TABLE tournament (id INTEGER PRIMARY KEY, event_name VARCHAR(100), Buy_in "
                 "NUMERIC(19,4), re_buy NUMERIC(19,4), Addon NUMERIC(19,4), prize_guarantee NUMERIC(19,4), "
                 "prize_contribution NUMERIC(19,4), seats_per_table INTEGER, date %1, closed %2, type "
                 "VARCHAR(50))")
                 .arg(date, flag));
        exec(QStringLiteral(
            "CREATE TABLE transactions (id INTEGER PRIMARY KEY, player_id INTEGER, table_id INTEGER, "
            "tournament_id INTEGER, type VARCHAR(50))"));
        QString seats;
        for (int i = 1; i <= 10; ++i) {
            seats += QStringLiteral(", seat_%1_pid INTEGER").arg(i);
        }
        exec(QStringLiteral("CREATE TABLE tables (id INTEGER PRIMARY KEY") + seats + u')');
    }

    // flags as '0'/'1' or NULL: both SQLite and PostgreSQL booleans take them
    void setConfig(const QString& userWinCsymbol, const QString& hideTourny, const QString& autoUpgrade)
    {
        exec(QStringLiteral("DELETE FROM config"));
        exec(QStringLiteral("INSERT INTO config VALUES (%1, %2, %3)")
                 .arg(userWinCsymbol, hideTourny, autoUpgrade));
    }

    // isoDate 'yyyy-mm-dd'; money as SQL literals
    void addTournament(int id, const QString& name, const QString& isoDate, bool closed, const QString& type,
                       int seats, const QString& buyin = QStringLiteral("100"),
                       const QString& rebuy = QStringLiteral("50"),
                       const QString& addon = QStringLiteral("25"),
                       const QString& guarantee = QStringLiteral("1000"),
                       const QString& contribution = QStringLiteral("0"))
    {
        exec(QStringLiteral(
                 "INSERT INTO tournament VALUES (%1, '%2', %3, %4, %5, %6, %7, %8, '%9', '%10', '%11')")
                 .arg(QString::number(id), name, buyin, rebuy, addon, guarantee, contribution,
                      QString::number(seats), isoDate, closed ? QStringLiteral("1") : QStringLiteral("0"),
                      type));
    }

    // rows of "(id, player_id, table_id, tournament_id, 'type')", written in batches
    void addTransactions(const QStringList& rows) { insertRows(QStringLiteral("transactions"), rows); }
    // rows of "(id, seat_1, ..., seat_10)" with NULL for an empty seat
    void addTables(const QStringList& rows) { insertRows(QStringLiteral("tables"), rows); }

    void insertRows(const QString& table, const QStringList& rows)
    {
        for (qsizetype i = 0; i < rows.size(); i += 400) {
            exec(QStringLiteral("INSERT INTO %1 VALUES ").arg(table) + rows.mid(i, 400).join(u','));
        }
    }

    // A table row: seat values (player ids, 0 for an empty seat), padded to 10 seats with NULL.
    static QString tableRow(int id, const QList<int>& seats)
    {
        QStringList values{QString::number(id)};
        for (int i = 0; i < 10; ++i) {
            const int pid = i < seats.size() ? seats.at(i) : 0;
            values.append(pid > 0 ? QString::number(pid) : QStringLiteral("NULL"));
        }
        return u'(' + values.join(u',') + u')';
    }
    static QString transaction(int id, int player, const QString& table, int tournament, const QString& type)
    {
        return QStringLiteral("(%1, %2, %3, %4, '%5')")
            .arg(QString::number(id), QString::number(player), table, QString::number(tournament), type);
    }

private:
    Kind m_kind;
    QString m_name;

    static int& counter()
    {
        static int n = 0;
        return n;
    }
};
