#include "fUpgrade.h"

#include "NetGrab.h"
#include "UpgradeProgress.h"
#include "XP_ProgressBar.h"
#include "core/AppTitle.h"
#include "core/ClockError.h"
#include "core/Cp1252.h"
#include "core/MessageBoxes.h"
#include "core/TextFile.h"
#include "platform/DesignFont.h"
#include "ui_fUpgrade.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Loads Tahoma before the window asks for it.
Ui::fUpgrade* setUp(fUpgrade* window, Ui::fUpgrade* ui)
{
    DesignFont::ensureTahoma();
    ui->setupUi(window);
    return ui;
}

} // namespace

fUpgrade::fUpgrade(const UpgradeContext& context)
    : QDialog(context.parent), ui(setUp(this, new Ui::fUpgrade)), Frame4(ui->Frame4),
      XP_ProgressBar1(ui->XP_ProgressBar1), lblFiles(ui->lblFiles), lblSize(ui->lblSize),
      lblMessage(ui->lblMessage), Picture2(ui->Picture2), Command1(ui->Command1), Command2(ui->Command2),
      NetGrab1(new NetGrab(context.clock, this)), m_context(context)
{
    NetGrab1->setObjectName(QStringLiteral("NetGrab1"));

    connect(Command1, &QPushButton::clicked, this, &fUpgrade::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &fUpgrade::Command2_Click);
    connect(NetGrab1, &NetGrab::DownloadFailed, this, &fUpgrade::NetGrab1_DownloadFailed);
    connect(NetGrab1, &NetGrab::DownloadProgress, this, &fUpgrade::NetGrab1_DownloadProgress);

    XP_ProgressBar1->setMax(100);
    XP_ProgressBar1->setMin(0);
    XP_ProgressBar1->setValue(0);
    XP_ProgressBar1->setColor(12485676);
    XP_ProgressBar1->setScrolling(1);
}

fUpgrade::~fUpgrade() = default;

QString fUpgrade::StringDownload(const QString& url)
{
    DownloadFailedFlag = false;
    NetGrab1->DownloadStart(url, NetGrab::ForceUpdate);
    while (NetGrab1->Busy()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (m_context.clockClosed && m_context.clockClosed()) {
            NetGrab1->DownloadCancel();
        }
    }
    if (DownloadFailedFlag) {
        return {};
    }
    return Cp1252::decode(NetGrab1->Bytes());
}

void fUpgrade::download(const QString& fileName)
{
    NetGrab1->DownloadStart(m_context.baseUrl + fileName, NetGrab::ForceUpdate);
    while (NetGrab1->Busy()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (!DownloadFailedFlag) {
        NetGrab1->SaveAs(m_context.programPath(m_localFile));
    }
}

void fUpgrade::Command1_Click()
{
    Command1->setEnabled(false);
    lblMessage->hide();
    lblFiles->setText(QStringLiteral("1 of 2"));

    m_localFile = UpgradeContext::localProgramName();
    DownloadFailedFlag = false;
    Cancelled = false;
    download(UpgradeContext::remoteProgramName());
    if (!fileTest()) {
        return;
    }

    lblFiles->setText(QStringLiteral("2 of 2"));
    m_localFile = UpgradeContext::installerName();
    Cancelled = false;
    download(UpgradeContext::installerName());
    if (!fileTest()) {
        return;
    }
    handOver();
}

bool fUpgrade::fileTest()
{
    if (Cancelled) {
        m_context.boxes.show(
            MessageBoxes::Icon::Information,
            QStringLiteral("Download cancelled!\r\n\r\nUpgrade to new version was not completed."));
        QDialog::reject();
        return false;
    }
    if (!QFileInfo(m_context.programPath(m_localFile)).isFile()) {
        m_context.boxes.show(MessageBoxes::Icon::Information,
                             QStringLiteral("New version file did not download correctly!\r\n"
                                            "Upgrade was not completed, please try again later."));
        QDialog::reject();
        return false;
    }
    return true;
}

void fUpgrade::handOver()
{
    const QString installer = m_context.programPath(UpgradeContext::installerName());
    bool started = false;
    try {
        // In the system's own encoding, which the installer reads paths in (UTF-8 on Linux).
        TextFile::writeBytes(m_context.programPath(QStringLiteral("target")),
                             QDir::toNativeSeparators(m_context.programFolder).toLocal8Bit() + "\r\n");
        // A download arrives without the execute permission the installer needs.
        QFile::setPermissions(installer, QFile::permissions(installer) | QFileDevice::ExeOwner |
                                             QFileDevice::ExeUser | QFileDevice::ExeGroup);
        started = m_context.startInstaller && m_context.startInstaller(installer, m_context.programFolder);
    } catch (const ClockError& e) {
        m_context.boxes.show(MessageBoxes::Icon::Critical, e.message());
    }
    if (!started) {
        // The clock goes on with the version it has rather than ending with no installer running.
        m_context.boxes.show(MessageBoxes::Icon::Critical,
                             QStringLiteral("The installer could not be started!\r\n"
                                            "Upgrade was not completed, please try again later."));
        QDialog::reject();
        return;
    }
    m_handedOver = true;
    accept();
}

void fUpgrade::Command2_Click()
{
    if (Command1->isEnabled()) {
        QDialog::reject();
        return;
    }
    NetGrab1->DownloadCancel();
    Cancelled = true;
}

void fUpgrade::reject()
{
    if (!Command1->isEnabled() && NetGrab1->Busy()) {
        // The waiting loop of Start ends with this download and reports the cancel.
        NetGrab1->DownloadCancel();
        Cancelled = true;
    }
    QDialog::reject();
}

void fUpgrade::NetGrab1_DownloadFailed()
{
    NetGrab1->DownloadCancel();
    Cancelled = true;
    DownloadFailedFlag = true;
}

void fUpgrade::NetGrab1_DownloadProgress(qint32 received, qint32 total)
{
    const int percent = UpgradeProgress::percent(received, total);
    XP_ProgressBar1->setValue(percent);
    lblSize->setText(UpgradeProgress::sizeText(received, percent));
}
