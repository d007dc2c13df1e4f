// The version check and the upgrade window against a local upgrade server, with the message boxes
// answered by the test.
#include "support/EventLoopWait.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/LocalHttpServer.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"
#include "upgrade/CheckForUpgrade.h"
#include "upgrade/NetGrab.h"
#include "upgrade/UpgradeContext.h"
#include "upgrade/UpgradeProgress.h"
#include "upgrade/UpgradeVersion.h"
#include "upgrade/XP_ProgressBar.h"
#include "upgrade/fUpgrade.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QString Question = "A new version of this software is available! \r\n\r\n"
                         "Do you want to download and install it now?";
const QString CancelledText = "Download cancelled!\r\n\r\nUpgrade to new version was not completed.";
const QString NotDownloadedText = "New version file did not download correctly!\r\n"
                                  "Upgrade was not completed, please try again later.";

TEST(UpgradeVersion, OnlyADifferentPublishedNumberOffersAnUpgrade)
{
    const struct
    {
        const char* published;
        bool offered;
    } cases[] = {
        {"1.0.6", false},
        {"1.0.6\r\n", true}, // inequality, not newer-than: a stray line break asks too
        {"1.0.6\n", true},
        {"1.0.7", true},
        {"0.9", true}, // older, still different
        {"", false},   // nothing fetched
        {"<html><body>404 Not Found</body></html>", false},
        {"0", false},
        {"0.0.0", false},
        {"  1.0.6", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UpgradeVersion::offersUpgrade(QString::fromLatin1(c.published), "1.0.6"), c.offered)
            << '"' << c.published << '"';
    }
    EXPECT_EQ(UpgradeVersion::VersionString(1, 0, 6), "1.0.6");
    EXPECT_EQ(UpgradeVersion::VersionString(2, 10, 0), "2.10.0");
    EXPECT_EQ(UpgradeVersion::own(), "1.0.6");
}

TEST(UpgradeProgress, PercentAndSizeLabel)
{
    const struct
    {
        qint64 received, total;
        int percent;
        const char* label;
    } cases[] = {
        {1234567, 2469134, 50, "1,205 kb - 50%"},
        {2469134, 2469134, 100, "2,411 kb - 100%"},
        {1023, 3000, 34, " kb - 34%"}, // under one kilobyte shows no number
        {0, 0, 0, " kb - 0%"},         // size unknown: never divided
        {5000, 0, 0, "4 kb - 0%"},
        {10, 5, 100, " kb - 100%"},
        {1, 3, 33, " kb - 33%"},
        {2, 3, 66, " kb - 66%"},
    };
    for (const auto& c : cases) {
        const int percent = UpgradeProgress::percent(c.received, c.total);
        EXPECT_EQ(percent, c.percent) << c.received << " of " << c.total;
        EXPECT_EQ(UpgradeProgress::sizeText(c.received, percent, QLocale::c()), QString::fromLatin1(c.label));
    }
}

class Upgrade : public testing::Test
{
protected:
    LocalHttpServer server;
    TempProgramFolder dir;
    FakeMessageBoxes boxes;
    FakeClock clock;
    UpgradeContext context{dir.folders().Program, boxes, clock};
    QStringList installersStarted;
    int dialogsShown = 0;

    const QByteArray newProgram = QByteArray(150 * 1024, 'P');
    const QByteArray installer = "#!/bin/sh\necho started > installer-ran\n";

    void SetUp() override
    {
        context.baseUrl = server.url("/software/upgrade/darvel/");
        context.version = "1.0.6";
        context.startInstaller = [this](const QString& program, const QString&) {
            installersStarted.append(program);
            return true;
        };
        context.showDialog = [this](fUpgrade& dialog) {
            ++dialogsShown;
            dialog.show();
            dialog.Command1->click();
        };
    }
    void publish(const QByteArray& version) { server.serve("/software/upgrade/darvel/version.txt", version); }
    void publishFiles()
    {
        server.serve("/software/upgrade/darvel/" + UpgradeContext::remoteProgramName(), newProgram);
        server.serve("/software/upgrade/darvel/" + UpgradeContext::installerName(), installer);
    }
    QString programPath(const QString& name) const { return dir.programPath(name); }
};

TEST_F(Upgrade, VersionTextsThatAskAndThatDoNot)
{
    const struct
    {
        const char* name;
        std::optional<QByteArray> version; // nothing: the server has no version file
        bool asks;
    } cases[] = {
        {"same version", QByteArray("1.0.6"), false},
        {"same version and a line break", QByteArray("1.0.6\r\n"), true},
        {"older version", QByteArray("0.9"), true},
        {"error page served as the file", QByteArray("<html><body>Server Error</body></html>"), false},
        {"no version file (404 page)", std::nullopt, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.questions.clear();
        boxes.questionIcons.clear();
        boxes.answers = {false};
        if (c.version) {
            publish(*c.version);
        } else {
            server.route("/software/upgrade/darvel/version.txt", {404, "<html>Not Found</html>"});
        }
        EXPECT_FALSE(CheckForUpgrade(context));
        EXPECT_EQ(boxes.questions, c.asks ? QStringList{Question} : QStringList{});
        // Counted, not compared as lists: Qt 6.4 compares two empty lists of plain values with memcmp on
        // null pointers, which UBSan reports.
        EXPECT_EQ(boxes.questionIcons.count(MessageBoxes::Icon::Information), c.asks ? 1 : 0);
        EXPECT_EQ(boxes.questionIcons.size(), c.asks ? 1 : 0);
        EXPECT_EQ(dialogsShown, 0); // answered No
        EXPECT_TRUE(boxes.shown.isEmpty());
    }
}

TEST_F(Upgrade, NoServerMeansNoQuestion)
{
    QString unusedAddress;
    {
        LocalHttpServer gone;
        unusedAddress = gone.url("/software/upgrade/darvel/");
    }
    context.baseUrl = unusedAddress;
    EXPECT_FALSE(CheckForUpgrade(context));
    EXPECT_TRUE(boxes.questions.isEmpty());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Upgrade, CancelBeforeStartClosesWithoutAMessage)
{
    publish("1.0.7");
    boxes.answers = {true};
    context.showDialog = [this](fUpgrade& dialog) {
        ++dialogsShown;
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Download New Version");
        EXPECT_EQ(dialog.lblMessage->text(), "Click Start to commence the upgrade");
        EXPECT_TRUE(dialog.lblFiles->text().isEmpty());
        EXPECT_EQ(dialog.XP_ProgressBar1->Scrolling(), 1);
        EXPECT_EQ(dialog.XP_ProgressBar1->Color(), qRgb(44, 132, 190));
        dialog.Command2->click();
        EXPECT_FALSE(dialog.isVisible());
    };
    EXPECT_FALSE(CheckForUpgrade(context));
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_TRUE(installersStarted.isEmpty());
    EXPECT_FALSE(QFile::exists(programPath("DARVEL.upg")));
}

TEST_F(Upgrade, FullRunLeavesTheFilesAndHandsOverToTheInstaller)
{
    publish("1.0.7");
    publishFiles();
    boxes.answers = {true};
    QStringList labels;
    context.showDialog = [&](fUpgrade& dialog) {
        QObject::connect(dialog.NetGrab1, &NetGrab::DownloadProgress,
                         [&] { labels.append(dialog.lblFiles->text() + " " + dialog.lblSize->text()); });
        dialog.show();
        dialog.Command1->click();
        EXPECT_FALSE(dialog.Command1->isEnabled());
        EXPECT_TRUE(dialog.lblMessage->isHidden());
        EXPECT_EQ(dialog.XP_ProgressBar1->Value(), 100);
    };
    context.startInstaller =
        UpgradeContext(dir.folders().Program, boxes, clock).startInstaller; // the real one

    EXPECT_TRUE(CheckForUpgrade(context));
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(dir.read("DARVEL.upg"), newProgram);
    EXPECT_EQ(dir.read(UpgradeContext::installerName()), installer);
    EXPECT_EQ(dir.read("target"), dir.folders().Program.toLocal8Bit() + "\r\n");
    EXPECT_TRUE(QFileInfo(programPath(UpgradeContext::installerName())).isExecutable());
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_TRUE(labels.contains("1 of 2 150 kb - 100%"));
    EXPECT_TRUE(labels.last().startsWith("2 of 2 "));
    // The stub installer ran in the program folder.
    EXPECT_TRUE(runEventsUntil([this] { return QFile::exists(programPath("installer-ran")); }));
}

TEST_F(Upgrade, FailedOrCancelledDownloadsEndWithTheirMessage)
{
    using Ending = LocalHttpServer::Ending;
    const QString program = "/software/upgrade/darvel/" + UpgradeContext::remoteProgramName();
    const QString bootstrap = "/software/upgrade/darvel/" + UpgradeContext::installerName();
    enum class Action
    {
        None,
        CancelButton,
        TitleBarClose
    };
    const struct
    {
        const char* name;
        LocalHttpServer::Route programRoute;
        LocalHttpServer::Route installerRoute;
        Action onFirstProgress;
        QString message;
        bool programSaved;
    } cases[] = {
        {"program missing on the server", {404, "gone"}, {200, "x"}, Action::None, CancelledText, false},
        {"connection dropped",
         {200, QByteArray(64 * 1024, 'p'), Ending::Drop},
         {200, "x"},
         Action::None,
         CancelledText,
         false},
        {"empty program", {200, {}}, {200, "x"}, Action::None, NotDownloadedText, false},
        {"installer missing", {200, "prog"}, {404, "gone"}, Action::None, CancelledText, true},
        {"empty installer", {200, "prog"}, {200, {}}, Action::None, NotDownloadedText, true},
        {"Cancel pressed",
         {200, QByteArray(64 * 1024, 'p'), Ending::Stall},
         {200, "x"},
         Action::CancelButton,
         CancelledText,
         false},
        {"closed from the title bar",
         {200, QByteArray(64 * 1024, 'p'), Ending::Stall},
         {200, "x"},
         Action::TitleBarClose,
         CancelledText,
         false},
    };
    publish("1.0.7");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(programPath("DARVEL.upg"));
        boxes.shown.clear();
        boxes.answers = {true};
        server.route(program, c.programRoute);
        server.route(bootstrap, c.installerRoute);
        bool dialogOpenAfterwards = true;
        bool acted = false;
        context.showDialog = [&](fUpgrade& dialog) {
            QObject::connect(dialog.NetGrab1, &NetGrab::DownloadProgress, [&] {
                if (acted) {
                    return;
                }
                acted = true;
                if (c.onFirstProgress == Action::CancelButton) {
                    dialog.Command2->click();
                } else if (c.onFirstProgress == Action::TitleBarClose) {
                    dialog.close();
                }
            });
            dialog.show();
            dialog.Command1->click();
            dialogOpenAfterwards = dialog.isVisible();
        };
        EXPECT_FALSE(CheckForUpgrade(context));
        ASSERT_EQ(boxes.shown.size(), 1);
        EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Information);
        EXPECT_EQ(boxes.shown[0].text, c.message);
        EXPECT_FALSE(dialogOpenAfterwards);
        EXPECT_EQ(QFile::exists(programPath("DARVEL.upg")), c.programSaved);
        EXPECT_FALSE(QFile::exists(programPath("target")));
        EXPECT_TRUE(installersStarted.isEmpty());
    }
}

TEST_F(Upgrade, ProgramLeftFromAnEarlierAttemptPassesTheFileTest)
{
    publish("1.0.7");
    publishFiles();
    server.serve("/software/upgrade/darvel/" + UpgradeContext::remoteProgramName(), {});
    dir.write("DARVEL.upg", "earlier download");
    boxes.answers = {true};
    EXPECT_TRUE(CheckForUpgrade(context));
    EXPECT_EQ(dir.read("DARVEL.upg"), QByteArray("earlier download"));
    EXPECT_EQ(installersStarted, QStringList{programPath(UpgradeContext::installerName())});
}

TEST_F(Upgrade, InstallerThatCannotStartIsReportedAndTheClockStays)
{
    publish("1.0.7");
    publishFiles();
    boxes.answers = {true};
    context.startInstaller = [](const QString&, const QString&) { return false; };
    EXPECT_FALSE(CheckForUpgrade(context));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Critical);
    EXPECT_TRUE(boxes.shown[0].text.startsWith("The installer could not be started!"));
}

TEST_F(Upgrade, StringDownloadReadsTheWindowsCodePage)
{
    server.serve("/text", "caf\xE9 \x80");
    fUpgrade dialog(context);
    EXPECT_EQ(dialog.StringDownload(server.url("/text")), QString::fromUtf8("café €"));
    EXPECT_EQ(dialog.StringDownload(server.url("/nothing-here")), QString());
}

} // namespace
