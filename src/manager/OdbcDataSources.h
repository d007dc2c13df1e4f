#pragma once

#include <QStringList>

// The names of the ODBC data sources the driver manager knows (user and system odbc.ini), as it lists
// them; empty when it cannot be asked.
QStringList OdbcDataSourceNames();
