#pragma once

#include "ManagerBackend.h"

#include <QString>
#include <QStringList>

struct ManagerSettings;

// How Qt SQL reaches the manager's database for one set of settings: driver, database name (an ODBC
// connection string, a data source name or a file path), login and read-only options.
struct ManagerConnectionTarget
{
    ManagerBackend Backend = ManagerBackend::AccessFile;
    QString Driver;
    QString DatabaseName;
    QString UserName;
    QString Password;
    QString ConnectOptions;
    // The database file, for the file backends; empty for a server.
    QString FilePath;
    // Not empty when no connection can be tried at all (no file, unreadable file); the reason.
    QString Problem;

    // The target for settings, looking SQLSERVER up among the configured ODBC data sources.
    static ManagerConnectionTarget resolve(const ManagerSettings& settings);
    // The same with the data source names given.
    static ManagerConnectionTarget resolve(const ManagerSettings& settings, const QStringList& dataSources);

    // An ODBC connection-string value, braced when it holds characters that would end or change it.
    static QString odbcValue(const QString& value);
};
