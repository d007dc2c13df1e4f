#pragma once

#include "core/ClockOptions.h"

#include <QDialog>
#include <functional>
#include <memory>

class MessageBoxes;

namespace Ui {
class frmOptions;
}

// The network view and the spoken announcements, kept in options.ini. OK saves once every value is one
// the clock can use, and otherwise says which are not; "Test" speaks a sample with the voice and rate as
// they stand in the dialog, saved or not. The PIN is masked: the players may see the screen.
class frmOptions : public QDialog
{
    Q_OBJECT
public:
    using TestVoice = std::function<void(const ClockOptions::Voice&)>;
    using ForgetPhones = std::function<void()>;

    // Without a test, the "Test" button is disabled.
    frmOptions(const QString& programFolder, MessageBoxes& boxes, TestVoice test, QWidget* parent = nullptr);
    ~frmOptions() override;

    // Without it, "Forget paired phones" is disabled (no remote is running).
    void setForgetPhones(ForgetPhones forget);

    // The options as the fields show them.
    ClockOptions options() const;

    void accept() override;

private:
    std::unique_ptr<Ui::frmOptions> ui;
    QString m_folder;
    MessageBoxes& m_boxes;
    TestVoice m_test;
    ForgetPhones m_forget;

    void showOptions(const ClockOptions& options);
};
