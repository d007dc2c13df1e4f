#pragma once

#include "SettingsDialogContext.h"
#include "SettingsForm.h"
#include "TournamentSource.h"
#include "core/TournamentState.h"
#include "manager/TournamentList.h"

#include <QDialog>
#include <QStringList>
#include <memory>

class QComboBox;
class QLabel;
class QRadioButton;
class QWidget;
namespace Ui {
class frmClockSettings;
}

// The settings dialog: two tabs, "Clock" and "Display", over working copies of the tournament's records.
// Nothing reaches the tournament, darvel.ini or the clock screen until the director saves. Closing with
// unsaved changes asks whether to save them.
class frmClockSettings : public QDialog
{
    Q_OBJECT

public:
    // Builds the dialog and fills it (PopulateSettingsDialog); show it with exec().
    explicit frmClockSettings(SettingsDialogContext& context, QWidget* parent = nullptr);
    ~frmClockSettings() override;

    void PopulateSettingsDialog();
    void SelectTab(int index);
    int selectedTab() const { return m_selectedTab; }
    void OpenWithAssociatedProgram(const QString& path);

    // Everything up to the snapshot: counts corrected, records saved, darvel.ini written, clock screen
    // updated, chosen logo copied. False, with a message and nothing saved, when a field cannot be stored.
    bool ApplySettings();

    // The controls as a save would read them.
    SettingsForm form() const;

    static QString changedQuestion();
    static QString resetQuestion();
    static QString loadQuestion();
    static QString missingFileMessage(const QString& path);
    // What the tournament list shows while it is read.
    static QString loadingText();

    TournamentRecord workingTournament;
    DisplayRecord workingDisplay;
    QStringList blindsFileNames;
    // False when the manager's tournament list could not be read for this opening.
    bool tournamentListRead = true;
    // True while the list is still being read.
    bool tournamentListLoading = false;
    QString pendingLogoFile;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void reject() override;

private:
    SettingsDialogContext& m_context;
    int m_selectedTab = 0;
    bool m_saved = false;

    std::unique_ptr<Ui::frmClockSettings> ui;
    QWidget* m_content[2] = {};
    QWidget* m_tab[2] = {};
    QLabel* m_tabCaption[2] = {};
    QRadioButton* optRounding[3] = {};

    void connectControls();
    void fillTournamentList(const QList<TournamentListEntry>& listed, qint32 linkedId);
    void loadTournamentList();
    void showTournamentList(const TournamentSource::ListOutcome& outcome);

    int levelMinutes(int level) const;
    int selectedLevelMinutes() const;
    void setTime(const QString& time);
    void showTimeOnSpinners();
    bool carrySeconds(int step);
    void backToLevelOne();

    void cboRefresh_Click();
    void cboLevel_Click();
    void cboColor_Click();
    void cboBackground_Click();
    void vsMin_Change();
    void vsSec_Change();
    void playSound(const QComboBox* list);
    void cmdEditBlinds_Click();
    void cmdNewBlinds_Click();
    void cmdLogo_Click();
    void cmdLoadTourny_Click();
    void cmdReset_Click();
    void cmdApply_Click();
    void copyPendingLogo();
};
