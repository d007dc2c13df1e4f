#include "manager/ManagerIni.h"

#include "manager/ManagerConnectionTarget.h"
#include "manager/ManagerFatalError.h"
#include "manager/ManagerSettings.h"
#include "support/FakeMessageBoxes.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

ManagerSettings readIni(const QByteArray& content, const QString& fileName = "kavro.ini")
{
    TempProgramFolder dir;
    dir.writeParent(fileName, content);
    ManagerSettings s;
    FakeMessageBoxes boxes;
    ReadManagerIni(s, dir.folders().Parent, "read", boxes);
    EXPECT_TRUE(boxes.shown.isEmpty());
    s.ConnectionString = BuildConnectionString(s);
    return s;
}

struct ConnectionCase
{
    const char* ini;
    const char* connectionString;
    const char* dateDelimiter;
    const char* booleanQuote;
    bool sqlServer;
};

class ConnectionStringForms : public ::testing::TestWithParam<ConnectionCase>
{
};

TEST_P(ConnectionStringForms, BuildsTheFormAndTheLiteralDelimiters)
{
    const ConnectionCase& c = GetParam();
    const ManagerSettings s = readIni(c.ini);
    EXPECT_EQ(s.ConnectionString, QString::fromUtf8(c.connectionString));
    EXPECT_EQ(s.DateDelimiter, QString::fromUtf8(c.dateDelimiter));
    EXPECT_EQ(s.BooleanQuote, QString::fromUtf8(c.booleanQuote));
    EXPECT_EQ(s.IsSqlServer, c.sqlServer);
}

INSTANTIATE_TEST_SUITE_P(
    FourForms, ConnectionStringForms,
    ::testing::Values(
        ConnectionCase{
            "SQLSERVER=\r\nDATABASE=C:\\Data\\t.mdb\r\n",
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Data\\t.mdb;Persist Security Info=False;", "#",
            "", false},
        ConnectionCase{"DATABASE=C:\\Data\\t.mdb\r\nDBPASSWORD=s3cret\r\n",
                       "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Data\\t.mdb;Jet OLEDB:Database "
                       "Password=s3cret;",
                       "#", "", false},
        ConnectionCase{
            "SQLSERVER=PC1\\SQLEXPRESS\r\nDATABASE=tm\r\n",
            "Provider=SQLOLEDB;Trusted_Connection=yes;Initial Catalog=tm;Data Source=PC1\\SQLEXPRESS", "'",
            "'", true},
        ConnectionCase{
            "SQLSERVER=PC1\\SQLEXPRESS\r\nDATABASE=tm\r\nDBUSERNAME=sa\r\nDBPASSWORD=pw\r\n",
            "Provider=SQLOLEDB;User ID=sa;Password=pw;Initial Catalog=tm;Data Source=PC1\\SQLEXPRESS", "'",
            "'", true},
        // a user without a password still logs in by name, with an empty password
        ConnectionCase{"SQLSERVER=PC1\r\nDATABASE=tm\r\nDBUSERNAME=clock\r\n",
                       "Provider=SQLOLEDB;User ID=clock;Password=;Initial Catalog=tm;Data Source=PC1", "'",
                       "'", true},
        // blanks alone are blank; values go in as read, but for the blanks after a path
        ConnectionCase{"SQLSERVER=   \r\nDATABASE= t.mdb \r\nDBPASSWORD=  \r\n",
                       "Provider=Microsoft.Jet.OLEDB.4.0;Data Source= t.mdb;Persist Security Info=False;",
                       "#", "", false},
        ConnectionCase{"SQLSERVER= PC1 \r\nDATABASE=tm\r\nDBUSERNAME=  \r\n",
                       "Provider=SQLOLEDB;Trusted_Connection=yes;Initial Catalog=tm;Data Source= PC1 ", "'",
                       "'", true}));

TEST(ManagerIni, FollowsTheLineRules)
{
    const ManagerSettings s = readIni("; the manager's settings\r\n"
                                      "sqlserver = X\r\n"   // key "SQLSERVER " matches nothing
                                      "database=first\r\n"  // keys are case-blind
                                      "DATABASE=second\r\n" // a later line wins
                                      "FILEPATH=C:\\KAVRO\\\r\n"
                                      "DBPASSWORD=a=b \r\n" // the value is all after the first "=", untrimmed
                                      "COLOR=blue\r\n"
                                      "no equals sign here\n"
                                      "DBUSERNAME=u"); // last line without an ending
    EXPECT_EQ(s.SQLSERVER, "");
    EXPECT_FALSE(s.IsSqlServer);
    EXPECT_EQ(s.DATABASE, "second");
    EXPECT_EQ(s.FILEPATH, "C:\\KAVRO\\");
    EXPECT_EQ(s.DBPASSWORD, "a=b ");
    EXPECT_EQ(s.DBUSERNAME, "u");

    EXPECT_EQ(readIni("SQLServer=X\r\n").SQLSERVER, "X");
    // A manager folder copied from Windows may name it in capitals.
    EXPECT_EQ(readIni("SQLSERVER=Y\r\n", "KAVRO.INI").SQLSERVER, "Y");
}

TEST(ManagerIni, ReadsWindows1252)
{
    EXPECT_EQ(readIni("DATABASE=C:\\Donn\xe9\x65s\\\x80.mdb\r\n").DATABASE,
              QString::fromUtf8("C:\\Données\\€.mdb"));
}

TEST(ManagerIni, PathsWithBlanksAfterThemStillOpen)
{
    TempProgramFolder dir;
    dir.writeParent("kavro.sqlite", QByteArray("SQLite format 3\0", 16));
    const QString database = dir.folders().Parent + "kavro.sqlite";
    for (const char* blanks : {"", " ", "   ", "\t", " \t "}) {
        SCOPED_TRACE(testing::PrintToString(QByteArray(blanks)));
        const ManagerSettings s =
            readIni("DATABASE=" + database.toUtf8() + blanks + "\r\nFILEPATH=C:\\KAVRO\\" + blanks + "\r\n");
        EXPECT_EQ(s.DATABASE, database);
        EXPECT_EQ(s.FILEPATH, "C:\\KAVRO\\");
        const ManagerConnectionTarget target = ManagerConnectionTarget::resolve(s);
        EXPECT_EQ(target.Problem, "");
        EXPECT_EQ(target.Backend, ManagerBackend::SqliteFile);
    }
}

TEST(ManagerIni, ByteOrderMarkOfNotepadIsSkipped)
{
    const ManagerSettings s = readIni("\xEF\xBB\xBF"
                                      "DATABASE=C:\\Donn\xC3\xA9\x65s\\t.mdb\r\nSQLSERVER=PC1\r\n");
    EXPECT_EQ(s.DATABASE, QString::fromUtf8("C:\\Données\\t.mdb"));
    EXPECT_TRUE(s.IsSqlServer);
}

TEST(ManagerIni, OtherModesOnlySetTheDelimiters)
{
    TempProgramFolder dir;
    dir.writeParent("kavro.ini", "SQLSERVER=PC1\r\n");
    ManagerSettings s;
    FakeMessageBoxes boxes;
    ReadManagerIni(s, dir.folders().Parent, " check ", boxes);
    EXPECT_EQ(s.SQLSERVER, "");
    EXPECT_EQ(s.DateDelimiter, "#");
    s.SQLSERVER = "PC2";
    ReadManagerIni(s, dir.folders().Parent, "none", boxes);
    EXPECT_TRUE(s.IsSqlServer);
    EXPECT_EQ(s.BooleanQuote, "'");
    ReadManagerIni(s, dir.folders().Parent, "  Read ", boxes);
    EXPECT_EQ(s.SQLSERVER, "PC1");
}

TEST(ManagerIni, MissingFileShowsItsPathAndIsFatal)
{
    TempProgramFolder dir;
    ManagerSettings s;
    FakeMessageBoxes boxes;
    try {
        ReadManagerIni(s, dir.folders().Parent, "read", boxes);
        FAIL() << "no fatal outcome";
    } catch (const ManagerFatalError& e) {
        EXPECT_NE(e.exitCode(), 0);
        const QString expected = dir.folders().Parent + "kavro.ini is missing!";
        EXPECT_EQ(e.message(), expected);
        ASSERT_EQ(boxes.shown.size(), 1);
        EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Warning);
        EXPECT_EQ(boxes.shown[0].text, expected);
    }
}

TEST(ManagerIni, UnreadableFileShowsTheReadErrorAndIsFatal)
{
    TempProgramFolder dir;
    QDir().mkpath(dir.parentPath("kavro.ini")); // exists, but cannot be read as a file
    ManagerSettings s;
    FakeMessageBoxes boxes;
    EXPECT_THROW(ReadManagerIni(s, dir.folders().Parent, "read", boxes), ManagerFatalError);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::None);
    EXPECT_TRUE(boxes.shown[0].text.startsWith("INI file read error: ")) << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(boxes.shown[0].text.contains("kavro.ini"));
}

TEST(ManagerIni, BinaryJunkReadsWithoutHarm)
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i) {
        junk.append(char((i * 7919 + 13) % 256));
    }
    junk.append(QByteArray("\nSQLSERVER=\0\x01\xff=\r\n", 17));
    TempProgramFolder dir;
    dir.writeParent("kavro.ini", junk);
    ManagerSettings s;
    FakeMessageBoxes boxes;
    ASSERT_NO_THROW(ReadManagerIni(s, dir.folders().Parent, "read", boxes));
    EXPECT_TRUE(s.IsSqlServer);
    EXPECT_FALSE(BuildConnectionString(s).isEmpty());
}

TEST(ManagerIni, CurrencySignOfTheLocale)
{
    EXPECT_EQ(LocaleCurrencySymbol(QLocale(QLocale::English, QLocale::UnitedStates)), "$");
    EXPECT_EQ(LocaleCurrencySymbol(QLocale(QLocale::German, QLocale::Germany)), QString::fromUtf8("€"));
    EXPECT_EQ(LocaleCurrencySymbol(QLocale(QLocale::English, QLocale::UnitedKingdom)),
              QString::fromUtf8("£"));
    EXPECT_FALSE(LocaleCurrencySymbol(QLocale::c()).contains(u'0'));
}

} // namespace
