#include "frmOptions.h"

#include "core/MessageBoxes.h"
#include "ui_frmOptions.h"

#include <QDir>

frmOptions::frmOptions(const QString& programFolder, MessageBoxes& boxes, TestVoice test, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmOptions>()), m_folder(programFolder), m_boxes(boxes),
      m_test(std::move(test))
{
    ui->setupUi(this);
    ui->lblTexts->setText(
        QStringLiteral("The words are in %1 (announcements-en.ini, or the file of the voice's "
                       "language).")
            .arg(QDir::toNativeSeparators(QDir(m_folder).filePath(QStringLiteral("voice")))));
    ui->cmdTest->setEnabled(bool(m_test));
    connect(ui->cmdTest, &QPushButton::clicked, this, [this] {
        if (m_test) {
            m_test(options().voice);
        }
    });
    showOptions(ClockOptions::load(m_folder));
}

frmOptions::~frmOptions() = default;

void frmOptions::showOptions(const ClockOptions& options)
{
    ui->chkPlayersView->setChecked(options.network.playersView);
    ui->spnPort->setValue(options.network.port);
    ui->txtBind->setText(options.network.bind);
    ui->txtRemotePin->setText(options.network.remotePin);
    ui->chkAnnouncements->setChecked(options.voice.announcements);
    ui->cboVoice->setCurrentText(options.voice.voice);
    ui->spnRate->setValue(options.voice.rate);
    ui->spnWarning->setValue(options.voice.levelWarningMinutes);
}

ClockOptions frmOptions::options() const
{
    ClockOptions options;
    options.network.playersView = ui->chkPlayersView->isChecked();
    options.network.port = quint16(ui->spnPort->value());
    options.network.bind = ui->txtBind->text().trimmed();
    options.network.remotePin = ui->txtRemotePin->text().trimmed();
    options.voice.announcements = ui->chkAnnouncements->isChecked();
    const QString voice = ui->cboVoice->currentText().trimmed();
    options.voice.voice = voice.isEmpty() ? ClockOptions().voice.voice : voice;
    options.voice.rate = ui->spnRate->value();
    options.voice.levelWarningMinutes = ui->spnWarning->value();
    return options;
}

void frmOptions::accept()
{
    QString error;
    if (!options().save(m_folder, &error)) {
        m_boxes.show(MessageBoxes::Icon::Warning, error);
        return;
    }
    QDialog::accept();
}
