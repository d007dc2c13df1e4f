#pragma once

#include <QString>

// The manager's INI values, how the clock reaches its database, and the switches of its config table.
// Filled once at start-up; every later database use opens its own connection from it.
struct ManagerSettings
{
    QString DATABASE;   // SQL Server: the catalog; otherwise the path of the database file
    QString FILEPATH;   // read and kept, not used by the clock
    QString SQLSERVER;  // instance name (or the name of a configured ODBC data source); blank: a file
    QString DBUSERNAME; // blank together with DBPASSWORD: integrated login
    QString DBPASSWORD;
    QString CurrencySymbol;
    QString ConnectionString;
    QString DateDelimiter;
    QString BooleanQuote;
    bool IsSqlServer = false;
    bool auto_program_upgrade = false;
    bool hide_tourny = false;

    bool operator==(const ManagerSettings&) const = default;
};
