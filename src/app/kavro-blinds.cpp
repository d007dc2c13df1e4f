#include "BlindsCommand.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const BlindsCommand::Result result = BlindsCommand::run(QCoreApplication::arguments().mid(1));
    std::fwrite(result.out.constData(), 1, size_t(result.out.size()), stdout);
    if (!result.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", result.error.toLocal8Bit().constData());
    }
    return result.exitCode;
}
