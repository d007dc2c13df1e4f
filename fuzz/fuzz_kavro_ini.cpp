#include "core/MessageBoxes.h"
#include "manager/ManagerFatalError.h"
#include "manager/ManagerIni.h"
#include "manager/ManagerSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

class SilentBoxes : public MessageBoxes
{
public:
    void show(Icon, const QString&) override {}
    bool ask(const QString&, Icon) override { return false; }
};

bool holdsLineBreak(const QString& value)
{
    return value.contains(u'\r') || value.contains(u'\n');
}

} // namespace

// Any bytes as the manager's kavro.ini: reading it and building the connection string from it never crash,
// and no value read can carry a line break into a connection string.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const QString parent = dir.path() + QDir::separator();
    {
        QFile f(parent + QStringLiteral("kavro.ini"));
        if (!f.open(QIODevice::WriteOnly)) {
            abort();
        }
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    ManagerSettings settings;
    SilentBoxes boxes;
    try {
        ReadManagerIni(settings, parent, QStringLiteral("read"), boxes);
    } catch (const ManagerFatalError&) {
        return 0;
    }
    for (const QString* value : {&settings.DATABASE, &settings.FILEPATH, &settings.SQLSERVER,
                                 &settings.DBUSERNAME, &settings.DBPASSWORD}) {
        if (holdsLineBreak(*value)) {
            abort();
        }
    }
    (void)BuildConnectionString(settings);
    return 0;
}
