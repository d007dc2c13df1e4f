#include "ManagerScenario.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct ProbeRun
{
    int exitCode;
    QString errors;
};

ProbeRun probe(const QString& parentFolder)
{
    QProcess p;
    p.start(QStringLiteral(KAVRO_FATAL_PROBE), {parentFolder});
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError())};
}

TEST(FatalExit, TheProgramEndsWithAFailureStatus)
{
    TempProgramFolder dir;
    ProbeRun run = probe(dir.folders().Parent);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.errors.contains("kavro.ini is missing!")) << run.errors.toStdString();

    dir.writeParent("kavro.ini", "DATABASE=" + dir.parentPath("none.db").toLocal8Bit() + "\r\n");
    run = probe(dir.folders().Parent);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.errors.contains("none.db")) << run.errors.toStdString();

    {
        ManagerTestDb db(ManagerTestDb::Kind::Sqlite, dir.parentPath("m.db"));
        ManagerScenario::seed(db);
    }
    dir.writeParent("kavro.ini", "DATABASE=" + dir.parentPath("m.db").toLocal8Bit() + "\r\n");
    run = probe(dir.folders().Parent);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
}

} // namespace
