#pragma once

// What the manager's database turned out to be on this platform.
enum class ManagerBackend
{
    SqlServer,      // SQLSERVER names a server: ODBC with the SQL Server driver
    OdbcDataSource, // SQLSERVER names a configured ODBC data source: connected by that name
    AccessFile,     // DATABASE is an Access file: ODBC with the Access driver
    SqliteFile,     // DATABASE is an SQLite file
};
