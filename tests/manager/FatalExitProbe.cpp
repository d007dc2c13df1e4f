// A minimal entry point around the manager start-up step, so that a test can see the process end.
#include "core/MessageBoxes.h"
#include "manager/ConnectManagerDatabase.h"
#include "manager/ManagerFatalError.h"
#include "manager/ManagerSettings.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

class StderrMessageBoxes : public MessageBoxes
{
public:
    void show(Icon, const QString& text) override { QTextStream(stderr) << text << Qt::endl; }
    bool ask(const QString&, Icon = Icon::Question) override { return false; }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    ManagerSettings settings;
    StderrMessageBoxes boxes;
    try {
        ConnectManagerDatabase(settings, QString::fromLocal8Bit(argv[1]), boxes);
    } catch (const ManagerFatalError& e) {
        return e.exitCode();
    }
    QTextStream(stdout) << "connected" << Qt::endl;
    return 0;
}
