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
        const ClockOptions::Voice voice = options().voice;
        if (voice.rate < ClockOptions::MinRate || voice.rate > ClockOptions::MaxRate) {
            ClockOptions rateOnly;
            rateOnly.voice.rate = voice.rate;
            m_boxes.show(MessageBoxes::Icon::Warning, rateOnly.problems().join(QStringLiteral("\r\n")));
            ui->spnRate->setFocus();
        } else if (m_test) {
            m_test(voice);
        }
    });
    connect(ui->cmdShowPin, &QToolButton::toggled, this, [this](bool shown) {
        ui->txtRemotePin->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });
    ui->cmdForgetPhones->setEnabled(false);
    connect(ui->cmdForgetPhones, &QPushButton::clicked, this, [this] {
        if (m_forget) {
            m_forget();
            m_boxes.show(MessageBoxes::Icon::Information,
                         QStringLiteral("Every paired phone must now pair again with the PIN."));
        }
    });
    showOptions(ClockOptions::load(m_folder));
}

void frmOptions::setForgetPhones(ForgetPhones forget)
{
    m_forget = std::move(forget);
    ui->cmdForgetPhones->setEnabled(bool(m_forget));
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
    // A port past 65535 stays one, so it is refused rather than wrapped round into range.
    options.network.port = quint16(qMin(ui->spnPort->value(), 65535));
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
    const ClockOptions wanted = options();
    const QStringList problems = wanted.problems();
    if (!problems.isEmpty()) {
        m_boxes.show(MessageBoxes::Icon::Warning, problems.join(QStringLiteral("\r\n")));
        const bool portBad =
            wanted.network.port < ClockOptions::MinPort || wanted.network.port > ClockOptions::MaxPort;
        const bool pinBad = !ClockOptions::pinProblem(wanted.network.remotePin).isEmpty();
        QWidget* first = portBad  ? static_cast<QWidget*>(ui->spnPort)
                         : pinBad ? static_cast<QWidget*>(ui->txtRemotePin)
                                  : static_cast<QWidget*>(ui->spnRate);
        first->setFocus();
        return;
    }
    QString error;
    if (!wanted.save(m_folder, &error)) {
        m_boxes.show(MessageBoxes::Icon::Warning, error);
        return;
    }
    QDialog::accept();
}
