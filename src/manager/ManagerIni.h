#pragma once

#include <QLocale>
#include <QString>

class MessageBoxes;
struct ManagerSettings;

// Reads kavro.ini from the parent folder (which ends with the path separator) when mode is "read" (blanks
// and case ignored), then sets IsSqlServer, DateDelimiter and BooleanQuote in every mode. A missing or
// unreadable file shows its message and throws ManagerFatalError.
void ReadManagerIni(ManagerSettings& settings, const QString& parentFolder, const QString& mode,
                    MessageBoxes& boxes);

// Sets IsSqlServer, DateDelimiter and BooleanQuote from SQLSERVER.
void ApplyManagerDialect(ManagerSettings& settings);

// The connection string of the manager's own platform, in its four forms.
QString BuildConnectionString(const ManagerSettings& settings);

// The locale's currency sign: its currency format of 0 without decimals, the zeros removed.
QString LocaleCurrencySymbol(const QLocale& locale);

// True when text is empty once its blanks (spaces) are trimmed.
bool IsBlank(const QString& text);
