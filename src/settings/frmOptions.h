#pragma once

#include "core/ClockOptions.h"

#include <QDialog>
#include <functional>
#include <memory>

class MessageBoxes;

namespace Ui {
class frmOptions;
}

// The network view and the spoken announcements, kept in options.ini. OK saves; "Test" speaks a sample
// with the voice and rate as they stand in the dialog, saved or not.
class frmOptions : public QDialog
{
    Q_OBJECT
public:
    using TestVoice = std::function<void(const ClockOptions::Voice&)>;

    // Without a test, the "Test" button is disabled.
    frmOptions(const QString& programFolder, MessageBoxes& boxes, TestVoice test, QWidget* parent = nullptr);
    ~frmOptions() override;

    // The options as the fields show them.
    ClockOptions options() const;

    void accept() override;

private:
    std::unique_ptr<Ui::frmOptions> ui;
    QString m_folder;
    MessageBoxes& m_boxes;
    TestVoice m_test;

    void showOptions(const ClockOptions& options);
};
