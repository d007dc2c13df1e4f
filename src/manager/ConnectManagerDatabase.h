#pragma once

#include <QLocale>
#include <QString>

class MessageBoxes;
struct ManagerSettings;

// The start-up step of the manager link: the currency sign of the locale, kavro.ini from the parent
// folder (ending with the path separator), the connection, and the switches of the config table. Shows
// the message and throws ManagerFatalError when the clock cannot run (no or unreadable kavro.ini, no
// connection, no config table); the entry point then ends the program with its exit code.
void ConnectManagerDatabase(ManagerSettings& settings, const QString& parentFolder, MessageBoxes& boxes,
                            const QLocale& locale = QLocale::system());
