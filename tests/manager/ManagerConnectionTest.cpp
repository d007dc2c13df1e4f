#include "manager/ManagerConnection.h"

#include "ManagerScenario.h"
#include "manager/ConnectManagerDatabase.h"
#include "manager/ManagerConnectionTarget.h"
#include "manager/ManagerError.h"
#include "manager/ManagerFatalError.h"
#include "manager/ManagerIni.h"
#include "manager/ManagerSettings.h"
#include "support/FakeMessageBoxes.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

ManagerSettings server(const QString& name, const QString& user = {}, const QString& password = {})
{
    ManagerSettings s;
    s.SQLSERVER = name;
    s.DATABASE = "tm";
    s.DBUSERNAME = user;
    s.DBPASSWORD = password;
    ApplyManagerDialect(s);
    return s;
}

ManagerSettings file(const QString& path, const QString& password = {})
{
    ManagerSettings s;
    s.DATABASE = path;
    s.DBPASSWORD = password;
    ApplyManagerDialect(s);
    return s;
}

QStringList libraryConnections()
{
    return QSqlDatabase::connectionNames().filter(ManagerConnection::namePrefix());
}

TEST(ManagerConnectionTarget, SqlServerThroughFreeTds)
{
    auto t = ManagerConnectionTarget::resolve(server("PC1\\SQLEXPRESS"), {"Other"});
    EXPECT_EQ(t.Backend, ManagerBackend::SqlServer);
    EXPECT_EQ(t.Driver, "QODBC");
    EXPECT_EQ(t.DatabaseName, "DRIVER={FreeTDS};SERVER=PC1\\SQLEXPRESS;DATABASE=tm;Trusted_Connection=Yes");
    EXPECT_TRUE(t.ConnectOptions.contains("SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY"));

    t = ManagerConnectionTarget::resolve(server("db.local", "sa", "pw"), {});
    EXPECT_EQ(t.DatabaseName, "DRIVER={FreeTDS};SERVER=db.local;DATABASE=tm;UID=sa;PWD=pw");
    // a password that would end the connection string is braced
    t = ManagerConnectionTarget::resolve(server("db.local", "sa", "p;w}DRIVER=x"), {});
    EXPECT_EQ(t.DatabaseName, "DRIVER={FreeTDS};SERVER=db.local;DATABASE=tm;UID=sa;PWD={p;w}}DRIVER=x}");
}

TEST(ManagerConnectionTarget, ConfiguredDataSourceIsUsedByName)
{
    auto t = ManagerConnectionTarget::resolve(server(" kavropg "), {"Printers", "KavroPG"});
    EXPECT_EQ(t.Backend, ManagerBackend::OdbcDataSource);
    EXPECT_EQ(t.Driver, "QODBC");
    EXPECT_EQ(t.DatabaseName, "KavroPG");
    EXPECT_EQ(t.UserName, "");

    t = ManagerConnectionTarget::resolve(server("KavroPG", "clock", "a;b"), {"KavroPG"});
    EXPECT_EQ(t.UserName, "clock");
    EXPECT_EQ(t.Password, "{a;b}");
}

TEST(ManagerConnectionTarget, DatabaseFileByItsHeader)
{
    TempProgramFolder dir;
    dir.writeParent("m.db", QByteArray("SQLite format 3\0rest", 20));
    dir.writeParent("m.mdb", QByteArray("\0\x01\0\0Standard Jet DB\0", 20));
    auto t = ManagerConnectionTarget::resolve(file(dir.parentPath("m.db")));
    EXPECT_EQ(t.Backend, ManagerBackend::SqliteFile);
    EXPECT_EQ(t.Driver, "QSQLITE");
    EXPECT_TRUE(t.ConnectOptions.contains("QSQLITE_OPEN_READONLY"));

    t = ManagerConnectionTarget::resolve(file(dir.parentPath("m.mdb"), "pw"));
    EXPECT_EQ(t.Backend, ManagerBackend::AccessFile);
    EXPECT_EQ(t.DatabaseName, "DRIVER={MDBTools};DBQ=" + dir.parentPath("m.mdb") + ";PWD=pw");

    t = ManagerConnectionTarget::resolve(file(dir.parentPath("none.mdb")));
    EXPECT_TRUE(t.Problem.contains("none.mdb"));
    EXPECT_FALSE(ManagerConnectionTarget::resolve(file("  ")).Problem.isEmpty());
}

class ConnectManager : public ::testing::Test
{
protected:
    TempProgramFolder dir;
    FakeMessageBoxes boxes;
    ManagerSettings settings;

    QString dbPath() const { return dir.parentPath("manager.db"); }
    void writeIni(const QString& database)
    {
        dir.writeParent(
            "kavro.ini",
            ("DATABASE=" + database + "\r\nSQLSERVER=\r\nDBUSERNAME=\r\nDBPASSWORD=\r\n").toLatin1());
    }
    void connect(const QLocale& locale = QLocale(QLocale::German, QLocale::Germany))
    {
        ConnectManagerDatabase(settings, dir.folders().Parent, boxes, locale);
    }
    void expectFatalCritical()
    {
        try {
            connect();
            FAIL() << "no fatal outcome";
        } catch (const ManagerFatalError& e) {
            EXPECT_NE(e.exitCode(), 0);
            ASSERT_EQ(boxes.shown.size(), 1);
            EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Critical);
            EXPECT_FALSE(boxes.shown[0].text.isEmpty());
            EXPECT_EQ(boxes.shown[0].text, e.message());
        }
        EXPECT_TRUE(libraryConnections().isEmpty());
    }
};

TEST_F(ConnectManager, ReadsTheConfigSwitches)
{
    {
        ManagerTestDb db(ManagerTestDb::Kind::Sqlite, dbPath());
        ManagerScenario::seed(db);
    }
    writeIni(dbPath());
    connect();
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(settings.DATABASE, dbPath());
    EXPECT_EQ(settings.ConnectionString,
              "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + dbPath() + ";Persist Security Info=False;");
    EXPECT_EQ(settings.CurrencySymbol, QString::fromUtf8("€")); // user_win_csymbol set: the locale's sign
    EXPECT_FALSE(settings.hide_tourny);
    EXPECT_TRUE(settings.auto_program_upgrade);
    EXPECT_TRUE(libraryConnections().isEmpty());
}

TEST_F(ConnectManager, CurrencySignFollowsUserWinCsymbol)
{
    struct Case
    {
        const char* value;
        const char* symbol;
    };
    for (const Case c : {Case{"'0'", "$"}, Case{"'1'", "€"}, Case{"NULL", "€"}, Case{"'True'", "€"},
                         Case{"'False'", "$"}, Case{"'maybe'", "$"}, Case{"2", "€"}}) {
        SCOPED_TRACE(c.value);
        {
            ManagerTestDb db(ManagerTestDb::Kind::Sqlite, dbPath());
            db.createSchema();
            db.setConfig(c.value, "'1'", "NULL");
        }
        writeIni(dbPath());
        settings = {};
        connect();
        EXPECT_EQ(settings.CurrencySymbol, QString::fromUtf8(c.symbol));
        EXPECT_TRUE(settings.hide_tourny);
        EXPECT_FALSE(settings.auto_program_upgrade);
    }
}

TEST_F(ConnectManager, ConfigWithoutTheColumnsOrRowsGivesTheDefaults)
{
    {
        ManagerTestDb db(ManagerTestDb::Kind::Sqlite, dbPath());
        db.exec("CREATE TABLE config (version INTEGER)");
        db.exec("INSERT INTO config VALUES (7)");
    }
    writeIni(dbPath());
    connect();
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(settings.CurrencySymbol, "$");
    EXPECT_FALSE(settings.hide_tourny);
    EXPECT_FALSE(settings.auto_program_upgrade);

    {
        ManagerTestDb db(ManagerTestDb::Kind::Sqlite, dbPath());
        db.createSchema();
    }
    settings = {};
    connect();
    EXPECT_EQ(settings.CurrencySymbol, "$");
}

TEST_F(ConnectManager, NoConfigTableIsFatal)
{
    {
        ManagerTestDb db(ManagerTestDb::Kind::Sqlite, dbPath());
        db.exec("CREATE TABLE other (x INTEGER)");
    }
    writeIni(dbPath());
    expectFatalCritical();
    EXPECT_TRUE(boxes.shown[0].text.contains("config")) << boxes.shown[0].text.toStdString();
}

TEST_F(ConnectManager, MissingDatabaseFileIsFatal)
{
    writeIni(dbPath());
    expectFatalCritical();
    EXPECT_FALSE(QFile::exists(dbPath())) << "a read-only connection must not create the file";
}

TEST_F(ConnectManager, FileThatIsNoDatabaseIsFatal)
{
    QByteArray junk(5000, '\0');
    for (int i = 0; i < junk.size(); ++i) {
        junk[i] = char(i * 31 % 251);
    }
    dir.writeParent("junk.mdb", junk);
    writeIni(dir.parentPath("junk.mdb"));
    expectFatalCritical();
    // What is wrong comes first, in words; the driver's own text only after it.
    const QString text = boxes.shown.value(0).text;
    EXPECT_TRUE(text.startsWith("The manager database " +
                                QDir::toNativeSeparators(dir.parentPath("junk.mdb")) +
                                " could not be opened as an Access database: the file may be damaged"))
        << text.toStdString();
    EXPECT_GT(text.indexOf("\r\n\r\nDriver message: "), 0) << text.toStdString();
}

TEST_F(ConnectManager, MissingIniIsFatalBeforeAnyConnection)
{
    EXPECT_THROW(connect(), ManagerFatalError);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Warning);
}

TEST_F(ConnectManager, JunkIniEndsInTheFatalPathWithoutACrash)
{
    QByteArray junk;
    for (int i = 0; i < 2048; ++i) {
        junk.append(char((i * 131 + 7) % 256));
    }
    dir.writeParent("kavro.ini", junk + "\r\nDATABASE=\x01\x02;DRIVER={x}\r\n");
    expectFatalCritical();
}

TEST_F(ConnectManager, TheConnectionIsReadOnly)
{
    {
        ManagerTestDb db(ManagerTestDb::Kind::Sqlite, dbPath());
        ManagerScenario::seed(db);
    }
    settings = file(dbPath());
    {
        ManagerConnection connection(settings);
        EXPECT_EQ(connection.backend(), ManagerBackend::SqliteFile);
        EXPECT_THROW(connection.select("DELETE FROM tournament"), ManagerError);
        EXPECT_THROW(connection.select("SELECT nothing FROM nowhere"), ManagerError);
    }
    ManagerConnection again(settings);
    auto q = again.select("SELECT COUNT(*) FROM tournament");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 6);
}

} // namespace
