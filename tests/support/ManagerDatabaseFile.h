#pragma once

#include <QString>
#include <QStringList>

class TempProgramFolder;

// Writes a manager database (SQLite) with its config row into the temporary folder's parent folder, runs
// moreSql in it, and a kavro.ini that points the clock at it. Returns the database's path; throws
// std::runtime_error when a statement fails.
QString WriteManagerDatabase(const TempProgramFolder& dir, bool autoProgramUpgrade = false,
                             const QStringList& moreSql = {});
