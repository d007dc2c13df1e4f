#include "ConnectManagerDatabase.h"

#include "ManagerConnection.h"
#include "ManagerError.h"
#include "ManagerFatalError.h"
#include "ManagerIni.h"
#include "ManagerSettings.h"
#include "ManagerTimeLimits.h"
#include "RunWithinTimeLimit.h"
#include "SqlValue.h"
#include "core/MessageBoxes.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

struct ConfigRow
{
    bool hasRow = false;
    QSqlRecord values;
};

// A column that is missing (or a config table without rows) reads as unreadable.
SqlValue::Flag column(const ConfigRow& row, const char* name)
{
    const int index = row.values.indexOf(QLatin1String(name));
    if (!row.hasRow || index < 0) {
        return SqlValue::Flag::Unreadable;
    }
    return SqlValue::flag(row.values.value(index));
}

} // namespace

void ConnectManagerDatabase(ManagerSettings& settings, const QString& parentFolder, MessageBoxes& boxes,
                            const QLocale& locale)
{
    settings.CurrencySymbol = LocaleCurrencySymbol(locale);
    ReadManagerIni(settings, parentFolder, QStringLiteral("read"), boxes);
    settings.ConnectionString = BuildConnectionString(settings);

    ConfigRow row;
    try {
        row = RunWithinTimeLimit<ConfigRow>(
            [connect = settings] {
                ConfigRow read;
                ManagerConnection connection(connect);
                QSqlQuery q = connection.select(QStringLiteral("SELECT * FROM config"));
                read.hasRow = q.next();
                read.values = q.record();
                return read;
            },
            ManagerTimeLimits::current().watchdogMs);
    } catch (const ManagerError& e) {
        boxes.show(MessageBoxes::Icon::Critical, e.message());
        throw ManagerFatalError(e.message());
    }

    const SqlValue::Flag symbol = column(row, "user_win_csymbol");
    if (symbol != SqlValue::Flag::True && symbol != SqlValue::Flag::Null) {
        settings.CurrencySymbol = QStringLiteral("$");
    }
    settings.hide_tourny = column(row, "hide_tourny") == SqlValue::Flag::True;
    settings.auto_program_upgrade = column(row, "auto_program_upgrade") == SqlValue::Flag::True;
}
