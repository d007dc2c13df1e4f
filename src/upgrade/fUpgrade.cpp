#include "fUpgrade.h"

#include "NetGrab.h"
#include "UpgradeProgress.h"
#include "XP_ProgressBar.h"
#include "core/AppTitle.h"
#include "core/ClockError.h"
#include "core/Cp1252.h"
#include "core/MessageBoxes.h"
#include "core/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr double Twips = 15.0;

QRect twips(int left, int top, int width, int height)
{
    return QRect(qRound(left / Twips), qRound(top / Twips), qRound(width / Twips), qRound(height / Twips));
}

QLabel* greyLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 128, 128));
    label->setPalette(palette);
    return label;
}

} // namespace

fUpgrade::fUpgrade(const UpgradeContext& context) : QDialog(context.parent), m_context(context)
{
    setObjectName(QStringLiteral("fUpgrade"));
    setWindowTitle(QStringLiteral("Download New Version"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setFixedSize(twips(0, 0, 4590, 2280).size());

    Frame4 = new QGroupBox(QStringLiteral("Progress"), this);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    Frame4->setGeometry(twips(120, 60, 4350, 780));
    XP_ProgressBar1 = new XP_ProgressBar(Frame4);
    XP_ProgressBar1->setObjectName(QStringLiteral("XP_ProgressBar1"));
    XP_ProgressBar1->setGeometry(twips(120, 300, 4110, 345));

    lblFiles = greyLabel(this, "lblFiles");
    lblFiles->setGeometry(twips(120, 900, 2100, 255));
    lblSize = greyLabel(this, "lblSize");
    lblSize->setGeometry(twips(2370, 900, 2100, 255));
    lblSize->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    lblMessage = new QLabel(QStringLiteral("Click Start to commence the upgrade"), this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setGeometry(twips(120, 1260, 4350, 255));
    lblMessage->setAlignment(Qt::AlignCenter);

    Picture2 = new QWidget(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(twips(0, 1680, 4590, 600));
    Command1 = new QPushButton(QStringLiteral("&Start"), Picture2);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twips(2145, 105, 1095, 375));
    Command2 = new QPushButton(QStringLiteral("&Cancel"), Picture2);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(twips(3375, 105, 1095, 375));

    NetGrab1 = new NetGrab(context.clock, this);
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
    lblFiles->clear();
    lblSize->clear();
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
