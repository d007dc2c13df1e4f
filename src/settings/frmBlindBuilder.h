#pragma once

#include "core/BlindPlanInputs.h"
#include "core/BlindStructure.h"

#include <QDialog>
#include <memory>

struct SettingsDialogContext;
namespace Ui {
class frmBlindBuilder;
}

// Builds a blind structure from the night's figures, lets the director edit it level by level, shows
// when each level starts and where the night is likely to end, and saves it into the blinds folder.
class frmBlindBuilder : public QDialog
{
    Q_OBJECT

public:
    frmBlindBuilder(SettingsDialogContext& context, const BlindPlanInputs& defaults,
                    QWidget* parent = nullptr);
    ~frmBlindBuilder() override;

    BlindPlanInputs inputs() const;
    // The levels as the table holds them.
    BlindStructure structure() const;
    QString planText() const;

    // Opens a blinds file into the table; false, with a message, when it cannot be read.
    bool openFile(const QString& path);
    // Saves the table as <name>.blinds.csv in the blinds folder; false when nothing was written.
    bool saveAs();
    void useNow();

    static QString replaceQuestion(const QString& fileName);
    static QString badNameMessage();

signals:
    // A file was written into the blinds folder (its name, without folder).
    void saved(const QString& fileName);

private:
    SettingsDialogContext& m_context;
    std::unique_ptr<Ui::frmBlindBuilder> ui;
    QString m_header;
    bool m_filling = false;

    void setInputs(const BlindPlanInputs& in);
    void regenerate();
    void showStructure(const BlindStructure& s);
    void updatePlan();
    void moveRow(int by);
};
