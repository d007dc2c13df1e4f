#include "frmClockSettings.h"

#include "PictureBox.h"
#include "RemainingTime.h"
#include "SettingsChoices.h"
#include "SettingsFileList.h"
#include "SettingsSave.h"
#include "TournamentSource.h"
#include "TrackFormChanges.h"
#include "core/AppTitle.h"
#include "core/BlindStructure.h"
#include "core/ClockError.h"
#include "core/ClockSettingsFile.h"
#include "core/DesktopOpener.h"
#include "core/FileChooser.h"
#include "core/FolderLookup.h"
#include "core/MessageBoxes.h"
#include "core/SoundPlayer.h"
#include "platform/QtTextMeasurer.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <filesystem>

namespace {

constexpr int Twips = QtTextMeasurer::TwipsPerPixel;
constexpr RgbColour Heading{16, 84, 197};
constexpr RgbColour TabShade{64, 64, 64};
constexpr RgbColour Separator{192, 192, 192};

int px(int twips)
{
    return (twips + Twips / 2) / Twips;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

QString css(RgbColour c)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red).arg(c.green).arg(c.blue);
}

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

QLabel* addLabel(QWidget* panel, const QString& text, int left, int top, bool bold = false,
                 RgbColour colour = {}, bool coloured = false)
{
    auto* label = new QLabel(text, panel);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    if (coloured) {
        label->setStyleSheet(QStringLiteral("color: %1;").arg(css(colour)));
    }
    label->adjustSize();
    label->move(px(left), px(top));
    return label;
}

void addLine(QWidget* panel, int x, int top, int bottom)
{
    auto* line = new QFrame(panel);
    line->setGeometry(px(x), px(top), 1, px(bottom - top));
    line->setStyleSheet(QStringLiteral("background-color: %1;").arg(css(Separator)));
}

// A screen operation after the save; one that fails is skipped, the others still run.
template <typename F, typename... Args> void guarded(const F& step, Args... args)
{
    if (!step) {
        return;
    }
    try {
        step(args...);
    } catch (const std::exception&) {
    }
}

} // namespace

frmClockSettings::frmClockSettings(SettingsDialogContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmClockSettings"));
    setWindowTitle(AppTitle() + QStringLiteral(" Settings"));
    QtTextMeasurer::ensureTahoma();
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    setFont(font);
    setFixedSize(px(12810), px(7020));
    buildTabs();
    PopulateSettingsDialog();
    txtName->setFocus();
}

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

void frmClockSettings::buildTabs()
{
    for (int i = 0; i < 2; ++i) {
        auto* panel = new QWidget(this);
        panel->setObjectName(QStringLiteral("PicContent%1").arg(i));
        panel->setProperty("index", i);
        panel->setAutoFillBackground(true);
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, Qt::white);
        panel->setPalette(palette);
        panel->setGeometry(twipsRect(360, 840, 12015, 4815));
        m_content[i] = panel;
    }
    for (int i = 0; i < 2; ++i) {
        auto* tab = new QFrame(this);
        tab->setObjectName(QStringLiteral("picTab%1").arg(i));
        tab->setProperty("index", i);
        tab->resize(px(1335), px(495));
        tab->setAutoFillBackground(true);
        tab->installEventFilter(this);
        auto* caption = new QLabel(i == 0 ? QStringLiteral("Clock") : QStringLiteral("Display"), tab);
        caption->setObjectName(QStringLiteral("lblTab%1").arg(i));
        caption->setProperty("index", i);
        QFont bold(QStringLiteral("Tahoma"), 9);
        bold.setBold(true);
        caption->setFont(bold);
        caption->adjustSize();
        caption->installEventFilter(this);
        m_tab[i] = tab;
        m_tabCaption[i] = caption;
    }

    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("Picture1"));
    bar->setGeometry(0, height() - px(660), width(), px(660));
    auto* save = addButton(bar, "cmdApply", QStringLiteral("&Save"), QString(), 10320, 120, 975, 360);
    auto* cancel = addButton(bar, "cmdCancel", QStringLiteral("&Cancel"), QString(), 11400, 120, 990, 360);
    connect(save, &QPushButton::clicked, this, &frmClockSettings::cmdApply_Click);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    auto* options =
        addButton(bar, "cmdOptions", QStringLiteral("O&ptions..."), QString(), 9240, 120, 975, 360);
    options->setEnabled(bool(m_context.screen.openOptions));
    connect(options, &QPushButton::clicked, this, [this] { m_context.screen.openOptions(); });

    buildClockTab(m_content[0]);
    buildDisplayTab(m_content[1]);
}

QLineEdit* frmClockSettings::addField(QWidget* panel, const char* name, const QString& caption, int left,
                                      int top, int width)
{
    addLabel(panel, caption, left, top - 240);
    auto* field = new QLineEdit(panel);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(twipsRect(left, top, width, 285));
    return field;
}

QComboBox* frmClockSettings::addList(QWidget* panel, const char* name, const QString& caption, int left,
                                     int top, int width)
{
    if (!caption.isEmpty()) {
        addLabel(panel, caption, left, top - 240);
    }
    auto* list = new QComboBox(panel);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(twipsRect(left, top, width, 315));
    return list;
}

QPushButton* frmClockSettings::addButton(QWidget* panel, const char* name, const QString& caption,
                                         const QString& toolTip, int left, int top, int width, int height)
{
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(toolTip);
    button->setAutoDefault(false);
    button->setGeometry(twipsRect(left, top, width, height));
    return button;
}

void frmClockSettings::buildClockTab(QWidget* panel)
{
    auto* box = new QFrame(panel);
    box->setObjectName(QStringLiteral("Shape1"));
    box->setGeometry(twipsRect(230, 1190, 1480, 880));
    box->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid %2;")
                           .arg(css(Heading), css(RgbColour{64, 64, 64})));

    cboLevel = addList(panel, "cboLevel", QStringLiteral("Current Level"), 240, 480, 855);
    addLabel(panel, QStringLiteral("Remaining Time"), 240, 960);
    for (auto [bar, name, left] : {std::tuple{&vsMin, "vsMin", 240}, std::tuple{&vsSec, "vsSec", 1440}}) {
        *bar = new QScrollBar(Qt::Vertical, panel);
        (*bar)->setObjectName(QLatin1String(name));
        (*bar)->setGeometry(twipsRect(left, 1200, 255, 855));
        // The top end of the range at the top: the up arrow raises the value.
        (*bar)->setInvertedAppearance(true);
        QScrollBar* spinner = *bar;
        // Drawn upside down, the bar still steps the other way: turn the arrows and the clicks beside
        // the handle round, and the wheel in eventFilter.
        connect(spinner, &QScrollBar::actionTriggered, this, [spinner](int action) {
            if (action == QAbstractSlider::SliderSingleStepSub) {
                spinner->setSliderPosition(spinner->value() + spinner->singleStep());
            } else if (action == QAbstractSlider::SliderSingleStepAdd) {
                spinner->setSliderPosition(spinner->value() - spinner->singleStep());
            } else if (action == QAbstractSlider::SliderPageStepSub) {
                spinner->setSliderPosition(spinner->value() + spinner->pageStep());
            } else if (action == QAbstractSlider::SliderPageStepAdd) {
                spinner->setSliderPosition(spinner->value() - spinner->pageStep());
            }
        });
        spinner->installEventFilter(this);
        (*bar)->setSingleStep(1);
        (*bar)->setPageStep(1);
    }
    lblTime = new QLabel(panel);
    lblTime->setObjectName(QStringLiteral("lblTime"));
    QFont timeFont(QStringLiteral("Tahoma"));
    timeFont.setPointSizeF(14.25);
    timeFont.setBold(true);
    lblTime->setFont(timeFont);
    lblTime->setAlignment(Qt::AlignCenter);
    lblTime->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    lblTime->setGeometry(twipsRect(555, 1440, 825, 345));

    auto* reset = addButton(panel, "cmdReset", QStringLiteral("&Reset Tournament"),
                            QStringLiteral("Reset the tournament"), 240, 2400, 1575, 360);

    txtName = addField(panel, "txtName", QStringLiteral("Tournament Name"), 2160, 480, 4095);
    txtPlayers = addField(panel, "txtPlayers", QStringLiteral("Players"), 6480, 480, 615);
    txtEntries = addField(panel, "txtEntries", QStringLiteral("Entries"), 7200, 480, 615);
    cboBlinds = addList(panel, "cboBlinds", QStringLiteral("Blinds"), 2160, 1200, 3015);
    cboBlinds->setToolTip(QStringLiteral("Select a blinds structure"));
    auto* editBlinds =
        addButton(panel, "cmdEditBlinds", QStringLiteral("&Edit Blinds"),
                  QStringLiteral("Edit or create a new blinds structure"), 5280, 1200, 990, 360);
    txtRebuys = addField(panel, "txtRebuys", QStringLiteral("Rebuys"), 6480, 1200, 615);
    txtAddons = addField(panel, "txtAddons", QStringLiteral("Addons"), 7200, 1200, 615);
    addLabel(panel, QStringLiteral("/"), 7080, 480, true);
    addLabel(panel, QStringLiteral("/"), 7080, 1200, true);

    txtBuyin = addField(panel, "txtBuyin", QStringLiteral("Buy-in Amount"), 2160, 2640, 1095);
    Text1 = addField(panel, "Text1", QStringLiteral("Buy-in Chips"), 3480, 2640, 975);
    txtRebuy = addField(panel, "txtRebuy", QStringLiteral("Rebuy Amount"), 2160, 3360, 1095);
    Text2 = addField(panel, "Text2", QStringLiteral("Rebuy Chips"), 3480, 3360, 975);
    txtAddon = addField(panel, "txtAddon", QStringLiteral("Addon Amount"), 2160, 4080, 1095);
    Text3 = addField(panel, "Text3", QStringLiteral("Addon Chips"), 3480, 4080, 975);
    for (QLineEdit* chips : {Text1, Text2, Text3}) {
        chips->installEventFilter(this);
        chips->setContextMenuPolicy(Qt::NoContextMenu);
        chips->setAcceptDrops(false);
    }

    addLabel(panel, QStringLiteral("Prize Pool"), 4920, 2400, true, Heading, true);
    Text5 = addField(panel, "Text5", QStringLiteral("Guarantee"), 4920, 3120, 975);
    Text4 = addField(panel, "Text4", QStringLiteral("Contribution"), 6120, 3120, 975);
    addLabel(panel, QStringLiteral("Rounding"), 4920, 3840, false, RgbColour{0, 0, 0}, true);
    for (int i = 0; i < 3; ++i) {
        optRounding[i] = new QRadioButton(panel);
        optRounding[i]->setObjectName(QStringLiteral("optRounding%1").arg(i));
        optRounding[i]->setProperty("index", i);
        optRounding[i]->setGeometry(twipsRect(6000, 3840 + 240 * i, 1815, 255));
    }

    addLabel(panel, QStringLiteral("KAVRO Integration"), 8280, 240, true, Heading, true);
    cboTourny = addList(panel, "cboTourny", QStringLiteral("KAVRO Tournament"), 8280, 840, 3495);
    cboTourny->setToolTip(QStringLiteral("Select a tournament from KAVRO"));
    auto* load = addButton(panel, "cmdLoadTourny", QStringLiteral("Load Tournament"),
                           QStringLiteral("Load the KAVRO tournament data"), 10200, 1320, 1575, 360);
    cboRefresh = addList(panel, "cboRefresh", QStringLiteral("Refresh clock from KAVRO"), 8280, 2520, 2415);
    lblKAVRO = new QLabel(panel);
    lblKAVRO->setObjectName(QStringLiteral("lblKAVRO"));
    lblKAVRO->move(px(8280), px(3120));
    lblKAVRO->hide();

    addLine(panel, 1920, 240, 4680);
    addLine(panel, 4680, 2160, 4680);
    addLine(panel, 8040, 240, 4680);
    box->lower();

    connect(cboLevel, &QComboBox::currentIndexChanged, this, &frmClockSettings::cboLevel_Click);
    connect(cboRefresh, &QComboBox::currentIndexChanged, this, &frmClockSettings::cboRefresh_Click);
    connect(vsMin, &QScrollBar::valueChanged, this, &frmClockSettings::vsMin_Change);
    connect(vsSec, &QScrollBar::valueChanged, this, &frmClockSettings::vsSec_Change);
    connect(reset, &QPushButton::clicked, this, &frmClockSettings::cmdReset_Click);
    connect(editBlinds, &QPushButton::clicked, this, &frmClockSettings::cmdEditBlinds_Click);
    connect(load, &QPushButton::clicked, this, &frmClockSettings::cmdLoadTourny_Click);
}

void frmClockSettings::buildDisplayTab(QWidget* panel)
{
    cboColor = addList(panel, "cboColor", QStringLiteral("Color Scheme"), 720, 960, 1935);
    auto* logo =
        addButton(panel, "cmdLogo", QStringLiteral("Change &Logo"),
                  QStringLiteral("Select a logo for the top left of the display"), 720, 1800, 1575, 360);
    Image2 = new PictureBox(panel);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(twipsRect(720, 2400, 1335, 735));

    cboBackground = addList(panel, "cboBackground", QStringLiteral("Background"), 3480, 960, 1935);
    cboBackground->setToolTip(QStringLiteral("Select an image for the display background"));
    Shape2 = new QFrame(panel);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(twipsRect(3480, 1680, 2295, 1575));
    Shape2->setAutoFillBackground(true);
    Image1 = new PictureBox(panel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(Shape2->geometry());
    Image1->raise();

    cboCount = addList(panel, "cboCount", QStringLiteral("Countdown Sound"), 6960, 960, 1935);
    cboEnd = addList(panel, "cboEnd", QStringLiteral("Level End Sound"), 6960, 1680, 1935);
    // The play sign itself: the symbol font that draws it from a letter is a Windows font.
    const QString play = QString(QChar(0x25B6));
    auto* playCount =
        addButton(panel, "cmdPlayCount", play, QStringLiteral("Play sound"), 9000, 960, 270, 315);
    auto* playEnd = addButton(panel, "cmdPlayEnd", play, QStringLiteral("Play sound"), 9000, 1680, 270, 315);

    addLine(panel, 3000, 120, 4560);
    addLine(panel, 6360, 120, 4560);

    connect(cboColor, &QComboBox::currentIndexChanged, this, &frmClockSettings::cboColor_Click);
    connect(cboBackground, &QComboBox::currentIndexChanged, this, &frmClockSettings::cboBackground_Click);
    connect(logo, &QPushButton::clicked, this, &frmClockSettings::cmdLogo_Click);
    connect(playCount, &QPushButton::clicked, this, [this] { playSound(cboCount); });
    connect(playEnd, &QPushButton::clicked, this, [this] { playSound(cboEnd); });
}

void frmClockSettings::PopulateSettingsDialog()
{
    const TournamentState& state = m_context.state;
    const ClockFolders& folders = state.Folders;
    workingTournament = state.Tournament;
    workingDisplay = state.Display;
    const TournamentRecord& t = workingTournament;
    const DisplayRecord& d = workingDisplay;

    fill(cboColor, SettingsChoices::colourSchemes(), d.Color_Style);
    fill(cboRefresh, SettingsChoices::refreshEntries(), SettingsChoices::refreshIndex(t.Refresh));

    QList<TournamentListEntry> tournaments;
    tournamentListRead = true;
    try {
        tournaments = m_context.tournaments.list();
    } catch (const ClockError& e) {
        tournamentListRead = false;
        // The database may have gone since start-up: the rest of the dialog still works.
        m_context.boxes.show(MessageBoxes::Icon::Warning,
                             QStringLiteral("The tournaments could not be read from KAVRO.\r\n\r\n") +
                                 e.message());
    }
    {
        const QSignalBlocker quiet(cboTourny);
        cboTourny->clear();
        int selected = -1;
        for (const TournamentListEntry& entry : tournaments) {
            cboTourny->addItem(entry.Name, entry.Id);
            if (entry.Id == t.Tournament_ID) {
                selected = int(cboTourny->count()) - 1;
            }
        }
        cboTourny->setCurrentIndex(selected < 0 && cboTourny->count() > 0 ? 0 : selected);
    }

    const SettingsFileList blinds =
        SettingsFileList::build(folders.Blinds, QStringLiteral("*.blinds.csv"), t.Blinds, false);
    fill(cboBlinds, blinds.entries, blinds.selected);
    blindsFileNames = blinds.fileNames;

    Text5->setText(t.Prize_Guarantee.toString());
    Text4->setText(t.Prize_Contribution.toString());
    const QStringList rounding = SettingsChoices::roundingCaptions(m_context.currencySymbol);
    for (int i = 0; i < 3; ++i) {
        optRounding[i]->setText(rounding[i]);
    }
    optRounding[SettingsChoices::roundingIndex(t.Prize_Rounding)]->setChecked(true);

    txtName->setText(t.Title);
    txtPlayers->setText(QString::number(t.Players));
    txtEntries->setText(QString::number(t.Entries));
    txtRebuys->setText(QString::number(t.Rebuys));
    txtAddons->setText(QString::number(t.Addons));
    txtBuyin->setText(t.Buyin.toString());
    txtRebuy->setText(t.Rebuy.toString());
    txtAddon->setText(t.Addon.toString());
    Text1->setText(t.Buyin_Chips.toString());
    Text2->setText(t.Rebuy_Chips.toString());
    Text3->setText(t.Addon_Chips.toString());

    QStringList levels;
    for (int level = 1; level <= m_context.blinds.levelCount(); ++level) {
        levels.append(QString::number(level));
    }
    fill(cboLevel, levels, t.Level - 1);

    setTime(t.Time);
    {
        // The spinners show the stored time; a time beyond the level's length stops at the range's end.
        const QSignalBlocker quietMinutes(vsMin);
        const QSignalBlocker quietSeconds(vsSec);
        vsMin->setRange(0, qMax(0, levelMinutes(t.Level)));
        vsMin->setValue(RemainingTime::minutesPart(t.Time));
        vsSec->setRange(0, 59);
        vsSec->setValue(RemainingTime::secondsPart(t.Time));
    }

    const SettingsFileList count =
        SettingsFileList::build(folders.Sounds, QStringLiteral("*.wav"), d.Tick_Sound, true);
    fill(cboCount, count.entries, count.selected);
    const SettingsFileList end =
        SettingsFileList::build(folders.Sounds, QStringLiteral("*.wav"), d.End_Sound, true);
    fill(cboEnd, end.entries, end.selected);
    const SettingsFileList background =
        SettingsFileList::build(folders.Background, QStringLiteral("*.jpg"), d.Background, true);
    fill(cboBackground, background.entries, background.selected);

    const QString logo = FolderLookup::find(folders.Program, QStringLiteral("logo.jpg"));
    if (!logo.isEmpty()) {
        Image2->loadPicture(logo);
    }
    SelectTab(0);
    TrackFormChanges(this, true);
}

void frmClockSettings::SelectTab(int index)
{
    const QRect content = m_content[0]->geometry();
    for (int t = 0; t < 2; ++t) {
        const bool selected = t == index;
        QPalette palette = m_tab[t]->palette();
        palette.setColor(QPalette::Window,
                         selected ? QColor(Qt::white) : QColor(TabShade.red, TabShade.green, TabShade.blue));
        m_tab[t]->setPalette(palette);
        m_tabCaption[t]->setStyleSheet(selected ? QStringLiteral("color: black;")
                                                : QStringLiteral("color: white;"));
        m_content[t]->setVisible(selected);
        QLabel* caption = m_tabCaption[t];
        caption->move(m_tab[t]->width() / 2 - caption->width() / 2,
                      (m_tab[t]->height() - caption->height()) / 2);
        if (t == 1) {
            m_content[1]->setGeometry(content);
        }
        m_tab[t]->move(content.left() + m_tab[0]->width() * t + (t != 0 ? px(100) : 0),
                       content.top() - (m_tab[t]->height() - px(20)));
        m_tab[t]->raise();
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
    if (event->type() == QEvent::Wheel && (watched == vsMin || watched == vsSec)) {
        // The wheel turned up raises the time, as the up arrow does.
        auto* spinner = static_cast<QScrollBar*>(watched);
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta != 0) {
            const int steps = delta > 0 ? qMax(1, delta / 120) : qMin(-1, delta / 120);
            spinner->setValue(spinner->value() + steps * spinner->singleStep());
        }
        return true;
    }
    const bool chips = watched == Text1 || watched == Text2 || watched == Text3;
    if (chips && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
        return true; // the X11 selection paste
    }
    if (chips && event->type() == QEvent::InputMethod) {
        auto* input = static_cast<QInputMethodEvent*>(event);
        QString digits = input->commitString();
        digits.removeIf([](QChar c) { return c < u'0' || c > u'9'; });
        input->setCommitString(digits, input->replacementStart(), input->replacementLength());
    }
    if (event->type() == QEvent::KeyPress && chips) {
        // Chip counts take digits and Backspace only; other characters, pasting included, never arrive.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            return true;
        }
        const QString text = key->text();
        if (!text.isEmpty() && key->key() != Qt::Key_Backspace) {
            const QChar c = text.front();
            const bool digit = c >= u'0' && c <= u'9';
            if (!digit && c.isPrint()) {
                return true;
            }
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
    return levelMinutes(cboLevel->currentText().toInt());
}

void frmClockSettings::setTime(const QString& time)
{
    lblTime->setText(time);
    lblTime->repaint();
}

void frmClockSettings::cboRefresh_Click()
{
    const SettingsChoices::Notice notice = SettingsChoices::refreshNotice(cboRefresh->currentIndex());
    lblKAVRO->setText(crlfToNewline(notice.text));
    lblKAVRO->setStyleSheet(QStringLiteral("color: %1;").arg(css(notice.colour)));
    lblKAVRO->adjustSize();
    lblKAVRO->show();
}

void frmClockSettings::cboLevel_Click()
{
    if (cboLevel->currentIndex() < 0) {
        return;
    }
    setTime(RemainingTime::levelPicked(lblTime->text(), selectedLevelMinutes()));
}

void frmClockSettings::vsMin_Change()
{
    const RemainingTime::Change change =
        RemainingTime::minutesChanged(lblTime->text(), vsMin->value(), selectedLevelMinutes());
    setTime(change.time);
    if (change.seconds) {
        vsSec->setValue(*change.seconds);
    }
}

void frmClockSettings::vsSec_Change()
{
    const RemainingTime::Change change = RemainingTime::secondsChanged(
        lblTime->text(), vsSec->value(), vsMin->value(), selectedLevelMinutes());
    setTime(change.time);
    if (change.seconds) {
        vsSec->setValue(*change.seconds);
    }
}

void frmClockSettings::cboColor_Click()
{
    const RgbColour colour = SettingsChoices::swatch(cboColor->currentIndex());
    QPalette palette = Shape2->palette();
    palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
    Shape2->setPalette(palette);
}

void frmClockSettings::cboBackground_Click()
{
    const QString entry = cboBackground->currentText();
    if (entry.isEmpty() || entry == SettingsFileList::noneEntry()) {
        Image1->clear();
    } else {
        Image1->loadPicture(
            FolderLookup::find(m_context.state.Folders.Background, entry + QStringLiteral(".jpg")));
    }
    Image1->repaint();
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
    const QString installed = QDir(program).filePath(QStringLiteral("logo.jpg"));
    const bool isInstalledLogo =
        !chosen.isEmpty() && QFileInfo(chosen).absoluteFilePath() == QFileInfo(installed).absoluteFilePath();
    if (!chosen.isEmpty() && !isInstalledLogo) {
        pendingLogoFile = chosen;
        Image2->loadPicture(chosen);
        return;
    }
    // Cancelled, or the installed logo itself: the preview shows what the clock will show.
    const QString logo = FolderLookup::find(program, QStringLiteral("logo.jpg"));
    if (logo.isEmpty()) {
        Image2->clear();
    } else {
        Image2->loadPicture(logo);
    }
}

void frmClockSettings::backToLevelOne()
{
    // A structure without levels has no level 1 to go back to.
    if (cboLevel->count() > 0) {
        {
            const QSignalBlocker quiet(cboLevel);
            cboLevel->setCurrentIndex(0);
        }
        cboLevel_Click();
        setTime(RemainingTime::fullLength(levelMinutes(1)));
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
    if (cboTourny->currentIndex() < 0) {
        m_context.boxes.show(MessageBoxes::Icon::Warning,
                             QStringLiteral("There is no KAVRO tournament to load."));
        return;
    }
    ImportedTournament imported;
    try {
        imported = m_context.tournaments.import(cboTourny->currentData().toInt());
    } catch (const ClockError& e) {
        m_context.boxes.show(MessageBoxes::Icon::Warning, e.message());
        return;
    }
    txtName->setText(imported.Title);
    txtBuyin->setText(imported.Buyin);
    txtRebuy->setText(imported.Rebuy);
    txtAddon->setText(imported.Addon);
    Text5->setText(imported.Guarantee);
    Text4->setText(imported.Contribution);
    txtPlayers->setText(QString::number(imported.Counts.Players));
    txtEntries->setText(QString::number(imported.Counts.Entries));
    txtRebuys->setText(QString::number(imported.Counts.Rebuys));
    txtAddons->setText(QString::number(imported.Counts.Addons));
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
    f.txtName = txtName->text();
    f.txtPlayers = txtPlayers->text();
    f.txtEntries = txtEntries->text();
    f.txtRebuys = txtRebuys->text();
    f.txtAddons = txtAddons->text();
    f.txtBuyin = txtBuyin->text();
    f.txtRebuy = txtRebuy->text();
    f.txtAddon = txtAddon->text();
    f.Text1 = Text1->text();
    f.Text2 = Text2->text();
    f.Text3 = Text3->text();
    f.Text5 = Text5->text();
    f.Text4 = Text4->text();
    f.lblTime = lblTime->text();
    f.level = cboLevel->currentIndex() >= 0 ? cboLevel->currentText() : QString();
    if (cboTourny->currentIndex() >= 0) {
        f.tournamentId = cboTourny->currentData().toInt();
    } else if (!tournamentListRead) {
        // An empty list because the database was out of reach is no choice of the director's: a save
        // keeps the tournament the clock is linked to.
        f.tournamentId = workingTournament.Tournament_ID;
    }
    f.blindsIndex = cboBlinds->currentIndex();
    f.roundingIndex = optRounding[1]->isChecked() ? 1 : optRounding[2]->isChecked() ? 2 : 0;
    f.refreshIndex = cboRefresh->currentIndex();
    f.colourIndex = cboColor->currentIndex();
    f.tickSound = cboCount->currentText();
    f.endSound = cboEnd->currentText();
    f.background = cboBackground->currentText();
    return f;
}

bool frmClockSettings::ApplySettings()
{
    SettingsForm f = form();
    if (const auto problem = SettingsSave::apply(f, blindsFileNames, workingTournament, workingDisplay)) {
        m_context.boxes.show(MessageBoxes::Icon::Warning, *problem);
        return false;
    }
    txtPlayers->setText(f.txtPlayers);
    txtRebuys->setText(f.txtRebuys);
    txtAddons->setText(f.txtAddons);

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
    const SettingsDialogContext::ClockScreen& screen = m_context.screen;
    guarded(screen.refreshFromManager);
    guarded(screen.colorStyle);
    guarded(screen.refreshBackground);
    guarded(screen.prizePool);
    guarded(screen.setCaption, QStringLiteral("lblLevel"), QString::number(state.Tournament.Level));
    guarded(screen.setCaption, QStringLiteral("lblTitle"), txtName->text());
    guarded(screen.countDown);
    guarded(screen.setBlind, int(state.Tournament.Level));
    copyPendingLogo();
    TrackFormChanges(this, true);
    return true;
}

void frmClockSettings::copyPendingLogo()
{
    if (pendingLogoFile.isEmpty()) {
        return;
    }
    const QDir program(m_context.state.Folders.Program);
    const QString target = program.filePath(QStringLiteral("logo.jpg"));
    const QString copy = program.filePath(QStringLiteral("logo.jpg.new"));
    // Copied beside the old logo first, then put in its place in one step, so a failure at any point
    // leaves the old logo as it was.
    QFile::remove(copy);
    bool copied = QFile::copy(pendingLogoFile, copy);
    if (copied) {
        std::error_code error;
        std::filesystem::rename(QFileInfo(copy).filesystemFilePath(), QFileInfo(target).filesystemFilePath(),
                                error);
        copied = !error;
    }
    if (!copied) {
        QFile::remove(copy);
        m_context.boxes.show(MessageBoxes::Icon::Warning,
                             QStringLiteral("The logo could not be copied to the clock:\r\n\r\n") +
                                 QDir::toNativeSeparators(pendingLogoFile));
        return;
    }
    pendingLogoFile.clear();
    guarded(m_context.screen.showLogo);
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
