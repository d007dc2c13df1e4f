#pragma once

#include "UpgradeContext.h"

#include <QDialog>
#include <memory>

class NetGrab;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;
class XP_ProgressBar;
namespace Ui {
class fUpgrade;
}

// The upgrade window: downloads the new program and the installer into the program folder, leaves the
// hand-over file "target" and starts the installer. A window that is never shown serves StringDownload.
class fUpgrade : public QDialog
{
    Q_OBJECT

public:
    explicit fUpgrade(const UpgradeContext& context);
    ~fUpgrade() override;

    // The content of url as text, or an empty text when the download failed.
    QString StringDownload(const QString& url);
    // True once the installer runs and the program has to end at once.
    bool handedOver() const { return m_handedOver; }

private:
    std::unique_ptr<Ui::fUpgrade> ui;

public:
    // The controls of the window, by the names the callers and tests know them by.
    QGroupBox* const Frame4;
    XP_ProgressBar* const XP_ProgressBar1;
    QLabel* const lblFiles;
    QLabel* const lblSize;
    QLabel* const lblMessage;
    QWidget* const Picture2;
    QPushButton* const Command1;
    QPushButton* const Command2;
    NetGrab* const NetGrab1;

    void Command1_Click();
    void Command2_Click();

public slots:
    // Closing the window in any way while a file arrives cancels that download.
    void reject() override;

private:
    const UpgradeContext& m_context;
    bool Cancelled = false;
    bool DownloadFailedFlag = false;
    bool m_handedOver = false;
    QString m_localFile;

    void download(const QString& fileName);
    bool fileTest();
    void handOver();
    void NetGrab1_DownloadFailed();
    void NetGrab1_DownloadProgress(qint32 received, qint32 total);
};
