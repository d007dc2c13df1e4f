#include "frmClockSettings.h"

#include "DigitsValidator.h"
#include "LogoCopy.h"
#include "PictureBox.h"
#include "RemainingTime.h"
#include "SettingsChoices.h"
#include "SettingsFileList.h"
#include "SettingsSave.h"
#include "TournamentListChoice.h"
#include "TournamentSource.h"
#include "TrackFormChanges.h"
#include "core/AppTitle.h"
#include "core/BlindStructure.h"
#include "core/ClockError.h"
#include "core/ClockScreen.h"
#include "core/ClockSettingsFile.h"
#include "core/DecimalNumber.h"
#include "core/DesktopOpener.h"
#include "core/FileChooser.h"
#include "core/FolderLookup.h"
#include "core/Guarded.h"
#include "core/MessageBoxes.h"
#include "core/Money.h"
#include "core/SoundPlayer.h"
#include "frmBlindBuilder.h"
#include "platform/DesignFont.h"
#include "ui_frmClockSettings.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace {

constexpr RgbColour TabShade{64, 64, 64};

QString crlfToNewline(const QString& text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void fill(QComboBox* list, const QStringList& entries, int selected)
{
    {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(entries);
        list->setCurrentIndex(-1);
    }
    list->setCurrentIndex(selected < list->count() ? selected : -1);
}

} // namespace

frmClockSettings::frmClockSettings(SettingsDialogContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), ui(std::make_unique<Ui::frmClockSettings>())
{
    setFont(DesignFont::dialogFont());
    ui->setupUi(this);
    setWindowTitle(AppTitle() + QStringLiteral(" Settings"));
    ui->lblTime->setFont(DesignFont::tahoma(14.25, true));
    m_content[0] = ui->PicContent0;
    m_content[1] = ui->PicContent1;
    m_tab[0] = ui->picTab0;
    m_tab[1] = ui->picTab1;
    m_tabCaption[0] = ui->lblTab0;
    m_tabCaption[1] = ui->lblTab1;
    optRounding[0] = ui->optRounding0;
    optRounding[1] = ui->optRounding1;
    optRounding[2] = ui->optRounding2;
    // Its colour comes from a style sheet, and a label with a style sheet takes the application's font
    // unless it has one of its own: the "never" notice would then run past the panel.
    ui->lblKAVRO->setFont(DesignFont::dialogFont());
    ui->lblKAVRO->hide();
    connectControls();
    PopulateSettingsDialog();
    ui->txtName->setFocus();
}

frmClockSettings::~frmClockSettings() = default;

QString frmClockSettings::changedQuestion()
{
    return QStringLiteral("The clock settings have been changed!\r\n\r\nDo you want to save the changes?");
}

QString frmClockSettings::resetQuestion()
{
    return QStringLiteral("Are you sure that you want to re-set the tournament to level 1?");
}

QString frmClockSettings::loadQuestion()
{
    return QStringLiteral(
        "Do you want to load the KAVRO tournament data?\r\n\r\nThis will update any existing settings.");
}

QString frmClockSettings::missingFileMessage(const QString& path)
{
    return QStringLiteral("File is missing or could not be loaded\r\n\r\n") + path;
}

void frmClockSettings::connectControls()
{
    for (int i = 0; i < 2; ++i) {
        m_tab[i]->installEventFilter(this);
        m_tabCaption[i]->installEventFilter(this);
    }
    for (QScrollBar* spinner : {ui->vsMin, ui->vsSec}) {
        // Drawn upside down, the bar still steps the other way: turn the arrows and the clicks beside
        // the handle round, and the wheel in eventFilter.
        connect(spinner, &QScrollBar::actionTriggered, this, [this, spinner](int action) {
            int step = 0;
            if (action == QAbstractSlider::SliderSingleStepSub) {
                step = spinner->singleStep();
            } else if (action == QAbstractSlider::SliderSingleStepAdd) {
                step = -spinner->singleStep();
            } else if (action == QAbstractSlider::SliderPageStepSub) {
                step = spinner->pageStep();
            } else if (action == QAbstractSlider::SliderPageStepAdd) {
                step = -spinner->pageStep();
            }
            if (step == 0) {
                return;
            }
            if (spinner == ui->vsSec && carrySeconds(step)) {
                spinner->setSliderPosition(ui->vsSec->value());
                return;
            }
            spinner->setSliderPosition(spinner->value() + step);
        });
        spinner->installEventFilter(this);
    }
    for (QLineEdit* chips : {ui->Text1, ui->Text2, ui->Text3}) {
        chips->setValidator(new DigitsValidator(chips));
        chips->installEventFilter(this);
    }

    connect(ui->cmdApply, &QPushButton::clicked, this, &frmClockSettings::cmdApply_Click);
    ui->cmdOptions->setEnabled(bool(m_context.openOptions));
    connect(ui->cmdOptions, &QPushButton::clicked, this, [this] { m_context.openOptions(); });
    connect(ui->cboLevel, &QComboBox::currentIndexChanged, this, &frmClockSettings::cboLevel_Click);
    connect(ui->cboRefresh, &QComboBox::currentIndexChanged, this, &frmClockSettings::cboRefresh_Click);
    connect(ui->vsMin, &QScrollBar::valueChanged, this, &frmClockSettings::vsMin_Change);
    connect(ui->vsSec, &QScrollBar::valueChanged, this, &frmClockSettings::vsSec_Change);
    connect(ui->cmdReset, &QPushButton::clicked, this, &frmClockSettings::cmdReset_Click);
    connect(ui->cmdEditBlinds, &QPushButton::clicked, this, &frmClockSettings::cmdEditBlinds_Click);
    connect(ui->cmdNewBlinds, &QPushButton::clicked, this, &frmClockSettings::cmdNewBlinds_Click);
    connect(ui->cmdLoadTourny, &QPushButton::clicked, this, &frmClockSettings::cmdLoadTourny_Click);
    connect(ui->cboColor, &QComboBox::currentIndexChanged, this, &frmClockSettings::cboColor_Click);
    connect(ui->cboBackground, &QComboBox::currentIndexChanged, this, &frmClockSettings::cboBackground_Click);
    connect(ui->cmdLogo, &QPushButton::clicked, this, &frmClockSettings::cmdLogo_Click);
    connect(ui->cmdPlayCount, &QPushButton::clicked, this, [this] { playSound(ui->cboCount); });
    connect(ui->cmdPlayEnd, &QPushButton::clicked, this, [this] { playSound(ui->cboEnd); });
}

void frmClockSettings::PopulateSettingsDialog()
{
    const TournamentState& state = m_context.state;
    const ClockFolders& folders = state.Folders;
    workingTournament = state.Tournament;
    workingDisplay = state.Display;
    const TournamentRecord& t = workingTournament;
    const DisplayRecord& d = workingDisplay;

    fill(ui->cboColor, SettingsChoices::colourSchemes(), d.Color_Style);
    fill(ui->cboRefresh, SettingsChoices::refreshEntries(), SettingsChoices::refreshIndex(t.Refresh));

    loadTournamentList();

    const SettingsFileList blinds =
        SettingsFileList::build(folders.Blinds, QStringLiteral("*.blinds.csv"), t.Blinds, false);
    fill(ui->cboBlinds, blinds.entries, blinds.selected);
    blindsFileNames = blinds.fileNames;

    ui->Text5->setText(t.Prize_Guarantee.toString());
    ui->Text4->setText(t.Prize_Contribution.toString());
    const QStringList rounding = SettingsChoices::roundingCaptions(m_context.currencySymbol);
    for (int i = 0; i < 3; ++i) {
        optRounding[i]->setText(rounding[i]);
    }
    optRounding[SettingsChoices::roundingIndex(t.Prize_Rounding)]->setChecked(true);

    ui->txtName->setText(t.Title);
    ui->txtPlayers->setText(QString::number(t.Players));
    ui->txtEntries->setText(QString::number(t.Entries));
    ui->txtRebuys->setText(QString::number(t.Rebuys));
    ui->txtAddons->setText(QString::number(t.Addons));
    ui->txtBuyin->setText(t.Buyin.toString());
    ui->txtRebuy->setText(t.Rebuy.toString());
    ui->txtAddon->setText(t.Addon.toString());
    ui->Text1->setText(t.Buyin_Chips.toString());
    ui->Text2->setText(t.Rebuy_Chips.toString());
    ui->Text3->setText(t.Addon_Chips.toString());

    QStringList levels;
    for (int level = 1; level <= m_context.blinds.levelCount(); ++level) {
        levels.append(QString::number(level));
    }
    fill(ui->cboLevel, levels, t.Level - 1);

    setTime(RemainingTime::normalised(t.Time));
    {
        // The spinners show the stored time; a time beyond the level's length stops at the range's end.
        const QSignalBlocker quietMinutes(ui->vsMin);
        const QSignalBlocker quietSeconds(ui->vsSec);
        ui->vsMin->setRange(0, qMax(0, levelMinutes(t.Level)));
        ui->vsMin->setValue(RemainingTime::minutesPart(t.Time));
        ui->vsSec->setRange(0, 59);
        ui->vsSec->setValue(RemainingTime::secondsPart(t.Time));
    }

    const SettingsFileList count =
        SettingsFileList::build(folders.Sounds, QStringLiteral("*.wav"), d.Tick_Sound, true);
    fill(ui->cboCount, count.entries, count.selected);
    const SettingsFileList end =
        SettingsFileList::build(folders.Sounds, QStringLiteral("*.wav"), d.End_Sound, true);
    fill(ui->cboEnd, end.entries, end.selected);
    const SettingsFileList background =
        SettingsFileList::build(folders.Background, QStringLiteral("*.jpg"), d.Background, true);
    fill(ui->cboBackground, background.entries, background.selected);

    const QString logo = FolderLookup::find(folders.Program, QStringLiteral("logo.jpg"));
    if (!logo.isEmpty()) {
        ui->Image2->loadPicture(logo);
    }
    SelectTab(0);
    TrackFormChanges(this, true);
}

void frmClockSettings::fillTournamentList(const QList<TournamentListEntry>& listed, qint32 linkedId)
{
    const TournamentListChoice choice =
        TournamentListChoice::build(listed, linkedId, workingTournament.Title);
    const QSignalBlocker quiet(ui->cboTourny);
    ui->cboTourny->clear();
    for (const TournamentListEntry& entry : choice.entries) {
        ui->cboTourny->addItem(entry.Name, entry.Id);
    }
    ui->cboTourny->setCurrentIndex(choice.selected);
}

QString frmClockSettings::loadingText()
{
    return QStringLiteral("loading");
}

void frmClockSettings::loadTournamentList()
{
    // The list comes from the manager's database, which may be slow or locked: the dialog works
    // meanwhile, and the linked tournament stays linked until the list is there.
    tournamentListRead = false;
    tournamentListLoading = true;
    {
        const QSignalBlocker quiet(ui->cboTourny);
        ui->cboTourny->clear();
        ui->cboTourny->setPlaceholderText(loadingText());
        ui->cboTourny->setCurrentIndex(-1);
    }
    ui->cboTourny->setEnabled(false);
    ui->cmdLoadTourny->setEnabled(false);
    m_context.tournaments.listLater(
        this, [this](const TournamentSource::ListOutcome& outcome) { showTournamentList(outcome); });
}

void frmClockSettings::showTournamentList(const TournamentSource::ListOutcome& outcome)
{
    tournamentListLoading = false;
    tournamentListRead = outcome.read;
    ui->cboTourny->setPlaceholderText(QString());
    ui->cboTourny->setEnabled(true);
    ui->cmdLoadTourny->setEnabled(true);
    // Out of reach, the database lists nothing, not even the linked tournament; the save keeps the link.
    fillTournamentList(outcome.entries, outcome.read ? workingTournament.Tournament_ID : 0);
    // The list arriving is no change of the director's.
    SnapshotFormControl(ui->cboTourny);
    if (!outcome.read) {
        // The database may have gone since start-up: the rest of the dialog still works.
        m_context.boxes.show(MessageBoxes::Icon::Warning,
                             QStringLiteral("The tournaments could not be read from KAVRO.\r\n\r\n") +
                                 outcome.error);
    }
}

void frmClockSettings::SelectTab(int index)
{
    for (int t = 0; t < 2; ++t) {
        const bool selected = t == index;
        QPalette palette = m_tab[t]->palette();
        palette.setColor(QPalette::Window,
                         selected ? QColor(Qt::white) : QColor(TabShade.red, TabShade.green, TabShade.blue));
        m_tab[t]->setPalette(palette);
        m_tabCaption[t]->setStyleSheet(selected ? QStringLiteral("color: black;")
                                                : QStringLiteral("color: white;"));
        m_content[t]->setVisible(selected);
    }
    m_selectedTab = index;
}

bool frmClockSettings::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (int t = 0; t < 2; ++t) {
            if (watched == m_tab[t] || watched == m_tabCaption[t]) {
                SelectTab(t);
                return true;
            }
        }
    }
    if (event->type() == QEvent::Wheel && (watched == ui->vsMin || watched == ui->vsSec)) {
        // The wheel turned up raises the time, as the up arrow does.
        auto* spinner = static_cast<QScrollBar*>(watched);
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta != 0) {
            const int steps = delta > 0 ? qMax(1, delta / 120) : qMin(-1, delta / 120);
            const int step = steps > 0 ? spinner->singleStep() : -spinner->singleStep();
            for (int i = 0; i < qAbs(steps); ++i) {
                if (spinner != ui->vsSec || !carrySeconds(step)) {
                    spinner->setValue(spinner->value() + step);
                }
            }
        }
        return true;
    }
    const bool chips = watched == ui->Text1 || watched == ui->Text2 || watched == ui->Text3;
    if (chips) {
        // Chip counts take digits only (their validator); pasting never arrives, not even digits.
        if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            return true; // the X11 selection paste
        }
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            return true;
        }
        if (event->type() == QEvent::InputMethod) {
            // What an input method composes counts as typed: its digits arrive, the rest is dropped, where
            // the validator would refuse the whole text.
            auto* input = static_cast<QInputMethodEvent*>(event);
            QString digits = input->commitString();
            digits.removeIf([](QChar c) { return !DigitsValidator::isDigit(c); });
            input->setCommitString(digits, input->replacementStart(), input->replacementLength());
        }
    }
    return QDialog::eventFilter(watched, event);
}

int frmClockSettings::levelMinutes(int level) const
{
    return m_context.blinds.hasLevel(level) ? m_context.blinds.at(level).Minutes : 0;
}

int frmClockSettings::selectedLevelMinutes() const
{
    return levelMinutes(ui->cboLevel->currentText().toInt());
}

void frmClockSettings::setTime(const QString& time)
{
    ui->lblTime->setText(time);
    ui->lblTime->repaint();
}

void frmClockSettings::showTimeOnSpinners()
{
    const QSignalBlocker quietMinutes(ui->vsMin);
    const QSignalBlocker quietSeconds(ui->vsSec);
    ui->vsMin->setRange(0, qMax(0, selectedLevelMinutes()));
    ui->vsMin->setValue(RemainingTime::minutesPart(ui->lblTime->text()));
    ui->vsSec->setValue(RemainingTime::secondsPart(ui->lblTime->text()));
}

// A step of the seconds below 00 or above 59 moves the minutes, as a clock would: 05:00 one down is 04:59.
// False when the minutes are at their end too, or the step stays within the minute.
bool frmClockSettings::carrySeconds(int step)
{
    QScrollBar* minutes = ui->vsMin;
    QScrollBar* seconds = ui->vsSec;
    const int target = seconds->value() + step;
    if (target >= seconds->minimum() && target <= seconds->maximum()) {
        return false;
    }
    const int minute = minutes->value() + (target < seconds->minimum() ? -1 : 1);
    if (minute < minutes->minimum() || minute > minutes->maximum()) {
        return false;
    }
    minutes->setValue(minute);
    seconds->setValue(target < seconds->minimum() ? seconds->maximum() : seconds->minimum());
    return true;
}

void frmClockSettings::cboRefresh_Click()
{
    const SettingsChoices::Notice notice = SettingsChoices::refreshNotice(ui->cboRefresh->currentIndex());
    ui->lblKAVRO->setText(crlfToNewline(notice.text));
    ui->lblKAVRO->setStyleSheet(QStringLiteral("color: %1;").arg(notice.colour.css()));
    ui->lblKAVRO->adjustSize();
    ui->lblKAVRO->show();
}

void frmClockSettings::cboLevel_Click()
{
    if (ui->cboLevel->currentIndex() < 0) {
        return;
    }
    setTime(RemainingTime::levelPicked(ui->lblTime->text(), selectedLevelMinutes()));
    // The spinners cannot go past the picked level's length.
    showTimeOnSpinners();
}

void frmClockSettings::vsMin_Change()
{
    const RemainingTime::Change change =
        RemainingTime::minutesChanged(ui->lblTime->text(), ui->vsMin->value(), selectedLevelMinutes());
    setTime(change.time);
    if (change.seconds) {
        ui->vsSec->setValue(*change.seconds);
    }
}

void frmClockSettings::vsSec_Change()
{
    const RemainingTime::Change change = RemainingTime::secondsChanged(
        ui->lblTime->text(), ui->vsSec->value(), ui->vsMin->value(), selectedLevelMinutes());
    setTime(change.time);
    if (change.seconds) {
        ui->vsSec->setValue(*change.seconds);
    }
}

void frmClockSettings::cboColor_Click()
{
    const RgbColour colour = SettingsChoices::swatch(ui->cboColor->currentIndex());
    QPalette palette = ui->Shape2->palette();
    palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
    ui->Shape2->setPalette(palette);
}

void frmClockSettings::cboBackground_Click()
{
    const QString entry = ui->cboBackground->currentText();
    if (entry.isEmpty() || entry == SettingsFileList::noneEntry()) {
        ui->Image1->clear();
    } else {
        ui->Image1->loadPicture(
            FolderLookup::find(m_context.state.Folders.Background, entry + QStringLiteral(".jpg")));
    }
    ui->Image1->repaint();
}

void frmClockSettings::playSound(const QComboBox* list)
{
    const QString entry = list->currentText();
    if (entry.isEmpty() || entry == SettingsFileList::noneEntry()) {
        return;
    }
    const QString path = FolderLookup::find(m_context.state.Folders.Sounds, entry + QStringLiteral(".wav"));
    if (!path.isEmpty()) {
        m_context.sounds.play(path);
    }
}

void frmClockSettings::cmdEditBlinds_Click()
{
    const QString path = m_context.files.chooseFile(
        QStringLiteral("Select a blinds file"), m_context.state.Folders.Blinds,
        QStringLiteral("CSV Files (*.blinds.csv)"), QStringLiteral("*.blinds.csv"));
    if (!path.isEmpty()) {
        OpenWithAssociatedProgram(path);
    }
}

void frmClockSettings::cmdNewBlinds_Click()
{
    // The builder starts from the figures as the dialog shows them now.
    const auto count = [](const QLineEdit* field) {
        return int(DecimalNumber::leading(field->text()).toInt16().value_or(0));
    };
    const auto chips = [](const QLineEdit* field) {
        return qMax<qint64>(0, Money::fromLeadingText(field->text()).value_or(Money()).roundedWhole());
    };
    BlindPlanInputs defaults;
    defaults.entries = qMax(1, count(ui->txtEntries));
    defaults.startingChips = qMax<qint64>(1, chips(ui->Text1));
    defaults.rebuys = qMax(0, count(ui->txtRebuys));
    defaults.rebuyChips = chips(ui->Text2);
    defaults.addons = qMax(0, count(ui->txtAddons));
    defaults.addonChips = chips(ui->Text3);

    frmBlindBuilder builder(m_context, defaults, this);
    connect(&builder, &frmBlindBuilder::saved, this, [this](const QString& fileName) {
        // The new file joins the list; the choice stays as it was.
        const QString chosen = blindsFileNames.value(ui->cboBlinds->currentIndex(), workingTournament.Blinds);
        const SettingsFileList blinds = SettingsFileList::build(
            m_context.state.Folders.Blinds, QStringLiteral("*.blinds.csv"), chosen, false);
        const QSignalBlocker block(ui->cboBlinds);
        fill(ui->cboBlinds, blinds.entries, blinds.selected);
        blindsFileNames = blinds.fileNames;
        Q_UNUSED(fileName);
    });
    builder.exec();
}

void frmClockSettings::OpenWithAssociatedProgram(const QString& path)
{
    if (!QFileInfo(path).isFile() || !m_context.desktop.open(path)) {
        m_context.boxes.show(MessageBoxes::Icon::Warning, missingFileMessage(path));
    }
}

void frmClockSettings::cmdLogo_Click()
{
    pendingLogoFile.clear();
    const QString program = m_context.state.Folders.Program;
    const QString chosen =
        m_context.files.chooseFile(QStringLiteral("Select a logo file"), program,
                                   QStringLiteral("JPG Files (*.jpg)"), QStringLiteral("*.jpg"));
    if (!chosen.isEmpty() && !LogoCopy::isInstalled(chosen, program)) {
        pendingLogoFile = chosen;
        ui->Image2->loadPicture(chosen);
        return;
    }
    // Cancelled, or the installed logo itself: the preview shows what the clock will show.
    const QString logo = FolderLookup::find(program, QStringLiteral("logo.jpg"));
    if (logo.isEmpty()) {
        ui->Image2->clear();
    } else {
        ui->Image2->loadPicture(logo);
    }
}

void frmClockSettings::backToLevelOne()
{
    // A structure without levels has no level 1 to go back to.
    if (ui->cboLevel->count() > 0) {
        {
            const QSignalBlocker quiet(ui->cboLevel);
            ui->cboLevel->setCurrentIndex(0);
        }
        cboLevel_Click();
        setTime(RemainingTime::fullLength(levelMinutes(1)));
        showTimeOnSpinners();
    }
    workingTournament.Player_Variance = 0;
    workingTournament.Entry_Variance = 0;
    workingTournament.Rebuy_Variance = 0;
    workingTournament.Addon_Variance = 0;
}

void frmClockSettings::cmdLoadTourny_Click()
{
    if (!m_context.boxes.ask(loadQuestion())) {
        return;
    }
    if (ui->cboTourny->currentIndex() < 0) {
        m_context.boxes.show(MessageBoxes::Icon::Warning,
                             QStringLiteral("There is no KAVRO tournament to load."));
        return;
    }
    ImportedTournament imported;
    try {
        imported = m_context.tournaments.import(ui->cboTourny->currentData().toInt());
    } catch (const ClockError& e) {
        m_context.boxes.show(MessageBoxes::Icon::Warning, e.message());
        return;
    }
    ui->txtName->setText(imported.Title);
    ui->txtBuyin->setText(imported.Buyin);
    ui->txtRebuy->setText(imported.Rebuy);
    ui->txtAddon->setText(imported.Addon);
    ui->Text5->setText(imported.Guarantee);
    ui->Text4->setText(imported.Contribution);
    ui->txtPlayers->setText(QString::number(imported.Counts.Players));
    ui->txtEntries->setText(QString::number(imported.Counts.Entries));
    ui->txtRebuys->setText(QString::number(imported.Counts.Rebuys));
    ui->txtAddons->setText(QString::number(imported.Counts.Addons));
    backToLevelOne();
}

void frmClockSettings::cmdReset_Click()
{
    if (m_context.boxes.ask(resetQuestion())) {
        backToLevelOne();
    }
}

SettingsForm frmClockSettings::form() const
{
    SettingsForm f;
    f.txtName = ui->txtName->text();
    f.txtPlayers = ui->txtPlayers->text();
    f.txtEntries = ui->txtEntries->text();
    f.txtRebuys = ui->txtRebuys->text();
    f.txtAddons = ui->txtAddons->text();
    f.txtBuyin = ui->txtBuyin->text();
    f.txtRebuy = ui->txtRebuy->text();
    f.txtAddon = ui->txtAddon->text();
    f.Text1 = ui->Text1->text();
    f.Text2 = ui->Text2->text();
    f.Text3 = ui->Text3->text();
    f.Text5 = ui->Text5->text();
    f.Text4 = ui->Text4->text();
    f.lblTime = ui->lblTime->text();
    f.level = ui->cboLevel->currentIndex() >= 0 ? ui->cboLevel->currentText() : QString();
    // The list opens on the linked tournament; nothing selected (no link, or the database out of reach)
    // is no choice of the director's, and a save keeps the link as it is.
    f.tournamentId = ui->cboTourny->currentIndex() >= 0 ? ui->cboTourny->currentData().toInt()
                                                        : workingTournament.Tournament_ID;
    f.blindsIndex = ui->cboBlinds->currentIndex();
    f.roundingIndex = optRounding[1]->isChecked() ? 1 : optRounding[2]->isChecked() ? 2 : 0;
    f.refreshIndex = ui->cboRefresh->currentIndex();
    f.colourIndex = ui->cboColor->currentIndex();
    f.tickSound = ui->cboCount->currentText();
    f.endSound = ui->cboEnd->currentText();
    f.background = ui->cboBackground->currentText();
    return f;
}

bool frmClockSettings::ApplySettings()
{
    SettingsForm f = form();
    if (const auto problem = SettingsSave::apply(f, blindsFileNames, workingTournament, workingDisplay)) {
        m_context.boxes.show(MessageBoxes::Icon::Warning, *problem);
        return false;
    }
    ui->txtPlayers->setText(f.txtPlayers);
    ui->txtRebuys->setText(f.txtRebuys);
    ui->txtAddons->setText(f.txtAddons);

    TournamentState& state = m_context.state;
    state.Tournament = workingTournament;
    state.Display = workingDisplay;
    try {
        ReadWriteClockSettings(state, QStringLiteral("write"));
    } catch (const ClockError& e) {
        // The settings are in effect on the clock; the director learns that darvel.ini still holds the old
        // ones.
        m_context.boxes.show(MessageBoxes::Icon::Warning, e.message());
    }
    // Each screen operation that fails is skipped; the others still run.
    ClockScreen& screen = m_context.screen;
    guarded(m_context.refreshFromManager);
    guarded(&ClockScreen::ColorStyle, screen);
    guarded(&ClockScreen::RefreshBackground, screen);
    // The payouts are worked out from the statistics shown, which a paused clock would not renew.
    guarded(&ClockScreen::UpdateStatistics, screen);
    guarded(&ClockScreen::PrizePool, screen);
    guarded(&ClockScreen::setCaption, screen, ScreenElementId::lblLevel,
            QString::number(state.Tournament.Level));
    guarded(&ClockScreen::setCaption, screen, ScreenElementId::lblTitle, ui->txtName->text());
    guarded(&ClockScreen::CountDown, screen);
    guarded(&ClockScreen::SetBlind, screen, int(state.Tournament.Level));
    copyPendingLogo();
    TrackFormChanges(this, true);
    return true;
}

void frmClockSettings::copyPendingLogo()
{
    if (pendingLogoFile.isEmpty()) {
        return;
    }
    if (!LogoCopy::install(pendingLogoFile, m_context.state.Folders.Program)) {
        m_context.boxes.show(MessageBoxes::Icon::Warning, LogoCopy::failedMessage(pendingLogoFile));
        return;
    }
    pendingLogoFile.clear();
    guarded(&ClockScreen::showLogo, m_context.screen);
}

void frmClockSettings::cmdApply_Click()
{
    if (ApplySettings()) {
        m_saved = true;
        close();
    }
}

void frmClockSettings::closeEvent(QCloseEvent* event)
{
    if (TrackFormChanges(this, false) && m_context.boxes.ask(changedQuestion())) {
        if (!ApplySettings()) {
            // A field that cannot be stored keeps the dialog open rather than losing the edits.
            event->ignore();
            return;
        }
        m_saved = true;
    }
    event->accept();
    done(m_saved ? QDialog::Accepted : QDialog::Rejected);
}

void frmClockSettings::reject()
{
    close();
}
