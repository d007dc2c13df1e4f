#pragma once

#include "SettingsDialogContext.h"
#include "SettingsForm.h"
#include "core/TournamentState.h"

#include <QDialog>
#include <QStringList>

class PictureBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

// The settings dialog: two tabs, "Clock" and "Display", over working copies of the tournament's records.
// Nothing reaches the tournament, darvel.ini or the clock screen until the director saves. Closing with
// unsaved changes asks whether to save them.
class frmClockSettings : public QDialog
{
    Q_OBJECT

public:
    // Builds the dialog and fills it (PopulateSettingsDialog); show it with exec().
    explicit frmClockSettings(SettingsDialogContext& context, QWidget* parent = nullptr);

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

    TournamentRecord workingTournament;
    DisplayRecord workingDisplay;
    QStringList blindsFileNames;
    // False when the manager's tournament list could not be read for this opening.
    bool tournamentListRead = true;
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

    QWidget* m_content[2] = {};
    QFrame* m_tab[2] = {};
    QLabel* m_tabCaption[2] = {};

    QComboBox* cboLevel = nullptr;
    QScrollBar* vsMin = nullptr;
    QScrollBar* vsSec = nullptr;
    QLabel* lblTime = nullptr;
    QLineEdit* txtName = nullptr;
    QLineEdit* txtPlayers = nullptr;
    QLineEdit* txtEntries = nullptr;
    QComboBox* cboBlinds = nullptr;
    QLineEdit* txtRebuys = nullptr;
    QLineEdit* txtAddons = nullptr;
    QLineEdit* txtBuyin = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* txtRebuy = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* txtAddon = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text4 = nullptr;
    QRadioButton* optRounding[3] = {};
    QComboBox* cboTourny = nullptr;
    QComboBox* cboRefresh = nullptr;
    QLabel* lblKAVRO = nullptr;
    QComboBox* cboColor = nullptr;
    PictureBox* Image1 = nullptr;
    PictureBox* Image2 = nullptr;
    QFrame* Shape2 = nullptr;
    QComboBox* cboBackground = nullptr;
    QComboBox* cboCount = nullptr;
    QComboBox* cboEnd = nullptr;

    void buildTabs();
    void buildClockTab(QWidget* panel);
    void buildDisplayTab(QWidget* panel);
    QLineEdit* addField(QWidget* panel, const char* name, const QString& caption, int left, int top,
                        int width);
    QComboBox* addList(QWidget* panel, const char* name, const QString& caption, int left, int top,
                       int width);
    QPushButton* addButton(QWidget* panel, const char* name, const QString& caption, const QString& toolTip,
                           int left, int top, int width, int height);

    int levelMinutes(int level) const;
    int selectedLevelMinutes() const;
    void setTime(const QString& time);
    void backToLevelOne();

    void cboRefresh_Click();
    void cboLevel_Click();
    void cboColor_Click();
    void cboBackground_Click();
    void vsMin_Change();
    void vsSec_Change();
    void playSound(const QComboBox* list);
    void cmdEditBlinds_Click();
    void cmdLogo_Click();
    void cmdLoadTourny_Click();
    void cmdReset_Click();
    void cmdApply_Click();
    void copyPendingLogo();
};
