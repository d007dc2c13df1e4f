// The settings dialog driven as the director would, with message boxes, the file chooser, the desktop and
// the manager answered by the test.
#include "settings/frmClockSettings.h"

#include "SettingsDialogWorld.h"
#include "core/BlindStructure.h"
#include "core/ClockSettingsFile.h"
#include "settings/PictureBox.h"
#include "settings/RemainingTime.h"
#include "support/QtPrinters.h"

#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>

namespace {

QByteArray jpeg(QColor colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

class SettingsDialog : public testing::Test, protected SettingsDialogWorld
{
protected:
    std::unique_ptr<frmClockSettings> dialog;

    void SetUp() override
    {
        ReadWriteClockSettings(state, "read"); // darvel.ini exists from start-up on
        state.Tournament.Level = 1;
        dir.write("blinds/speed.blinds.csv", "x");
        dir.write("blinds/turbo.blinds.csv", "x");
        dir.write("sounds/count.wav", "x");
        dir.write("sounds/end.wav", "x");
        dir.write("background/blue.jpg", jpeg(Qt::blue));
        state.Display.Tick_Sound = "Count.wav";
        state.Display.End_Sound = "End.wav";
        state.Display.Background = "Blue.jpg";
        state.Tournament.Blinds = "Speed.blinds.csv";
        ParseBlindLines(
            {"Level,SB,BB,Ante,Minutes,Break", "1,25,50,0,20,0", "2,50,100,0,20,0", "3,75,150,0,30,10"},
            "speed.blinds.csv", blinds);
        tournaments.tournaments = {{4, "Monday Deepstack"}, {9, "Friday Cup"}};
    }

    frmClockSettings& open()
    {
        makeContext().refreshFromManager = [this] { screenCalls << "refresh"; };
        dialog = std::make_unique<frmClockSettings>(*context);
        dialog->show();
        return *dialog;
    }

    template <typename T> T* child(const char* name)
    {
        T* w = dialog->findChild<T*>(QString::fromLatin1(name));
        if (!w) {
            ADD_FAILURE() << "no control " << name;
        }
        return w;
    }
    QString text(const char* name) { return child<QLineEdit>(name)->text(); }
    void type(const char* name, const QString& value) { child<QLineEdit>(name)->setText(value); }
    QComboBox* list(const char* name) { return child<QComboBox>(name); }
    QStringList entries(const char* name)
    {
        QStringList items;
        for (int i = 0; i < list(name)->count(); ++i) {
            items << list(name)->itemText(i);
        }
        return items;
    }
    QString time() { return child<QLabel>("lblTime")->text(); }
    void click(const char* name) { child<QPushButton>(name)->click(); }
    QString iniLine(const char* key)
    {
        for (const QByteArray& line : dir.read("darvel.ini").split('\n')) {
            if (line.startsWith(QByteArray(key) + '=')) {
                return QString::fromLatin1(line).trimmed();
            }
        }
        return {};
    }
};

TEST_F(SettingsDialog, OpensOnTheClockTabWithItsCaptionAndSize)
{
    open();
    EXPECT_EQ(dialog->windowTitle(), "KAVRO Clock Settings");
    EXPECT_EQ(dialog->size(), QSize(854, 468));
    EXPECT_EQ(dialog->selectedTab(), 0);
    EXPECT_TRUE(child<QWidget>("PicContent0")->isVisible());
    EXPECT_FALSE(child<QWidget>("PicContent1")->isVisible());
    EXPECT_EQ(child<QPushButton>("cmdReset")->toolTip(), "Reset the tournament");
    EXPECT_EQ(child<QPushButton>("cmdApply")->text(), "&Save");
    EXPECT_EQ(list("cboTourny")->toolTip(), "Select a tournament from KAVRO");
}

TEST_F(SettingsDialog, ClickingATabShowsItsPanelInTheSamePlace)
{
    open();
    QTest::mouseClick(child<QLabel>("lblTab1"), Qt::LeftButton);
    EXPECT_EQ(dialog->selectedTab(), 1);
    EXPECT_TRUE(child<QWidget>("PicContent1")->isVisible());
    EXPECT_FALSE(child<QWidget>("PicContent0")->isVisible());
    EXPECT_EQ(child<QWidget>("PicContent1")->geometry(), child<QWidget>("PicContent0")->geometry());
    QWidget* tab0 = child<QWidget>("picTab0");
    QWidget* tab1 = child<QWidget>("picTab1");
    EXPECT_GT(tab1->x(), tab0->x() + tab0->width()); // the Display tab stands beside the Clock tab
    EXPECT_EQ(tab0->y() + tab0->height() - 1, child<QWidget>("PicContent0")->y()); // overlapping it slightly
    QTest::mouseClick(child<QWidget>("picTab0"), Qt::LeftButton);
    EXPECT_EQ(dialog->selectedTab(), 0);
}

TEST_F(SettingsDialog, RefreshEntryAndNotice)
{
    struct Case
    {
        qint16 stored;
        const char* selected;
        QColor colour;
    };
    for (const Case& c : {Case{30, "30 secs", QColor(16, 84, 197)}, Case{15, "10 secs", QColor(16, 84, 197)},
                          Case{0, "Never", QColor(192, 0, 0)}}) {
        state.Tournament.Refresh = c.stored;
        open();
        EXPECT_EQ(list("cboRefresh")->currentText(), c.selected) << c.stored;
        QLabel* notice = child<QLabel>("lblKAVRO");
        EXPECT_TRUE(notice->isVisible());
        EXPECT_EQ(notice->palette().color(QPalette::WindowText), c.colour) << c.stored;
        if (c.stored != 0) {
            EXPECT_TRUE(notice->text().endsWith(QString("from KAVRO every ") + c.selected)) << c.stored;
        }
    }
    list("cboRefresh")->setCurrentIndex(4);
    EXPECT_TRUE(child<QLabel>("lblKAVRO")->text().endsWith("every 60 secs"));
}

TEST_F(SettingsDialog, RefreshNoticeKeepsTheDialogFontAndFitsItsPanel)
{
    open();
    for (int entry : {0, 3, 0}) {
        list("cboRefresh")->setCurrentIndex(entry);
        QLabel* notice = child<QLabel>("lblKAVRO");
        EXPECT_EQ(notice->font().family(), "Tahoma") << entry;
        EXPECT_DOUBLE_EQ(notice->font().pointSizeF(), 8.25) << entry;
        const QFontMetrics metrics(notice->font());
        for (const QString& line : notice->text().split('\n')) {
            EXPECT_LE(notice->x() + metrics.horizontalAdvance(line), notice->parentWidget()->width())
                << line.toStdString();
        }
    }
}

TEST_F(SettingsDialog, RoundingOptionFollowsTheStoredRule)
{
    for (auto [stored, option] :
         {std::pair{100, "optRounding2"}, std::pair{1, "optRounding0"}, std::pair{10, "optRounding1"}}) {
        state.Tournament.Prize_Rounding = qint16(stored);
        open();
        EXPECT_TRUE(child<QRadioButton>(option)->isChecked()) << stored;
    }
    EXPECT_EQ(child<QRadioButton>("optRounding2")->text(), "Nearest $100");
    EXPECT_EQ(child<QRadioButton>("optRounding0")->text(), "Nearest $1");
}

TEST_F(SettingsDialog, FileListsShowProperCasedNamesAndSelectIgnoringCase)
{
    state.Tournament.Blinds = "Speed.blinds.csv";
    dir.write("background/night.jpg", jpeg(Qt::black));
    state.Display.Background = "NIGHT.JPG";
    open();
    EXPECT_EQ(entries("cboBlinds"), QStringList({"Speed", "Turbo"}));
    EXPECT_EQ(list("cboBlinds")->currentText(), "Speed");
    EXPECT_EQ(dialog->blindsFileNames, QStringList({"speed.blinds.csv", "turbo.blinds.csv"}));
    EXPECT_EQ(entries("cboCount"), QStringList({"None", "Count", "End"}));
    EXPECT_EQ(list("cboCount")->currentText(), "Count");
    EXPECT_EQ(list("cboEnd")->currentText(), "End");
    EXPECT_EQ(entries("cboBackground"), QStringList({"None", "Blue", "Night"}));
    EXPECT_EQ(list("cboBackground")->currentText(), "Night");
}

TEST_F(SettingsDialog, BackgroundPreviewFollowsThePick)
{
    dir.write("background/night.jpg", jpeg(Qt::black));
    state.Display.Background = "";
    open();
    PictureBox* preview = child<PictureBox>("Image1");
    EXPECT_EQ(list("cboBackground")->currentText(), "None");
    EXPECT_TRUE(preview->picture().isNull());
    list("cboBackground")->setCurrentText("Night");
    ASSERT_FALSE(preview->picture().isNull());
    EXPECT_LT(preview->picture().toImage().pixelColor(4, 4).lightness(), 40); // night.jpg, not blue.jpg
    list("cboBackground")->setCurrentText("None");
    EXPECT_TRUE(preview->picture().isNull());
}

TEST_F(SettingsDialog, ColourPickFillsTheSwatch)
{
    open();
    list("cboColor")->setCurrentText("Black");
    EXPECT_EQ(child<QWidget>("Shape2")->palette().color(QPalette::Window), QColor(64, 64, 64));
    list("cboColor")->setCurrentText("Green");
    EXPECT_EQ(child<QWidget>("Shape2")->palette().color(QPalette::Window), QColor(124, 134, 55));
}

TEST_F(SettingsDialog, TournamentListSelectsTheLinkedOneAndNoneWithoutALink)
{
    state.Tournament.Tournament_ID = 9;
    open();
    EXPECT_EQ(entries("cboTourny"), QStringList({"Monday Deepstack", "Friday Cup"}));
    EXPECT_EQ(list("cboTourny")->currentText(), "Friday Cup");
    state.Tournament.Tournament_ID = 0;
    open();
    EXPECT_EQ(entries("cboTourny"), QStringList({"Monday Deepstack", "Friday Cup"}));
    EXPECT_EQ(list("cboTourny")->currentIndex(), -1);
    tournaments.tournaments.clear();
    open();
    EXPECT_EQ(list("cboTourny")->currentIndex(), -1);
}

// A tournament the manager no longer lists (closed, or dated yesterday while it runs past midnight) stays
// linked through a save that only fixes a typo; only picking another entry changes the link.
TEST_F(SettingsDialog, SaveKeepsALinkedTournamentTheListLeavesOut)
{
    struct Case
    {
        qint32 linked;
        const char* title;
        const char* pick; // nullptr: no pick
        qint32 saved;
        const char* shown;
    };
    for (const Case& c :
         {Case{12, "Saturday Main", nullptr, 12, "Saturday Main (closed or past)"},
          Case{12, "", nullptr, 12, "Tournament 12 (closed or past)"},
          Case{12, "Saturday Main", "Friday Cup", 9, "Friday Cup"}, Case{0, "Home Game", nullptr, 0, ""},
          Case{0, "Home Game", "Monday Deepstack", 4, "Monday Deepstack"}}) {
        SCOPED_TRACE(c.linked);
        SCOPED_TRACE(c.pick ? c.pick : "no pick");
        state.Tournament.Tournament_ID = c.linked;
        state.Tournament.Title = c.title;
        state.Tournament.Players = 40;
        state.Tournament.Entries = 45;
        open();
        if (c.pick) {
            list("cboTourny")->setCurrentText(c.pick);
        }
        EXPECT_EQ(list("cboTourny")->currentText(), c.shown);
        type("txtName", "Saturday Main Event");
        click("cmdApply");
        EXPECT_EQ(state.Tournament.Tournament_ID, c.saved);
        EXPECT_EQ(state.Tournament.Players, 40);
        EXPECT_EQ(iniLine("Tournament_ID"), QString("Tournament_ID=%1").arg(c.saved));
    }
}

TEST_F(SettingsDialog, UnlistedLinkedTournamentIsTheOneLoaded)
{
    state.Tournament.Tournament_ID = 12;
    state.Tournament.Title = "Saturday Main";
    tournaments.imported.Title = "Saturday Main";
    open();
    EXPECT_EQ(entries("cboTourny"),
              QStringList({"Saturday Main (closed or past)", "Monday Deepstack", "Friday Cup"}));
    boxes.answers = {true};
    click("cmdLoadTourny");
    EXPECT_EQ(tournaments.importedIds, QList<qint32>({12}));
}

TEST_F(SettingsDialog, ManagerGoneGivesAnEmptyListAWarningAndAWorkingDialog)
{
    tournaments.listError = "The database cannot be reached.";
    state.Tournament.Tournament_ID = 7;
    open();
    EXPECT_EQ(list("cboTourny")->count(), 0);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Warning);
    EXPECT_TRUE(boxes.shown[0].text.endsWith("The database cannot be reached."));
    type("txtName", "Still works");
    click("cmdApply");
    EXPECT_EQ(state.Tournament.Title, "Still works");
    EXPECT_EQ(state.Tournament.Tournament_ID, 7); // still linked to the tournament it was counting
}

TEST_F(SettingsDialog, UnstartedTimeShowsDashesWithSpinnersAtZero)
{
    state.Tournament.Time = "--:--";
    open();
    EXPECT_EQ(time(), "--:--");
    EXPECT_EQ(child<QScrollBar>("vsMin")->value(), 0);
    EXPECT_EQ(child<QScrollBar>("vsSec")->value(), 0);
    EXPECT_EQ(child<QScrollBar>("vsMin")->maximum(), 20);
    EXPECT_EQ(child<QScrollBar>("vsSec")->maximum(), 59);
    child<QScrollBar>("vsMin")->setValue(4);
    EXPECT_EQ(time(), "04:00");
}

TEST_F(SettingsDialog, SpinnersStopAtTheFullLevelLength)
{
    state.Tournament.Time = "19:45";
    open();
    QScrollBar* minutes = child<QScrollBar>("vsMin");
    QScrollBar* seconds = child<QScrollBar>("vsSec");
    EXPECT_EQ(minutes->value(), 19);
    EXPECT_EQ(seconds->value(), 45);
    minutes->setValue(20);
    EXPECT_EQ(time(), "20:00");
    EXPECT_EQ(seconds->value(), 0);
    seconds->setValue(30);
    EXPECT_EQ(time(), "20:00");
    EXPECT_EQ(seconds->value(), 0);
    minutes->setValue(12);
    seconds->setValue(7);
    EXPECT_EQ(time(), "12:07");
    QTest::mouseClick(minutes, Qt::LeftButton, {}, QPoint(minutes->width() / 2, 3)); // the up arrow
    EXPECT_EQ(minutes->value(), 13);
    EXPECT_EQ(time(), "13:07");
    QTest::mouseClick(minutes, Qt::LeftButton, {}, QPoint(minutes->width() / 2, minutes->height() - 3));
    EXPECT_EQ(minutes->value(), 12);

    // Every other way of moving it goes the same way: up raises the time.
    const auto wheel = [minutes](int delta) {
        QWheelEvent turn(QPointF(5, 20), minutes->mapToGlobal(QPointF(5, 20)), {}, QPoint(0, delta),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(minutes, &turn);
    };
    wheel(120);
    EXPECT_EQ(minutes->value(), 13);
    wheel(-240);
    EXPECT_EQ(minutes->value(), 11);
    minutes->setFocus();
    QTest::keyClick(minutes, Qt::Key_Up);
    EXPECT_EQ(minutes->value(), 12);

    QStyleOptionSlider option;
    option.initFrom(minutes);
    option.orientation = Qt::Vertical;
    option.minimum = minutes->minimum();
    option.maximum = minutes->maximum();
    option.sliderPosition = option.sliderValue = minutes->value();
    option.singleStep = minutes->singleStep();
    option.pageStep = minutes->pageStep();
    option.upsideDown = true;
    option.subControls = QStyle::SC_All;
    const QRect arrow =
        minutes->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, minutes);
    const QRect handle =
        minutes->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, minutes);
    ASSERT_GT(handle.top() - arrow.bottom(), 1);
    QTest::mouseClick(minutes, Qt::LeftButton, {},
                      QPoint(handle.center().x(), (arrow.bottom() + handle.top()) / 2));
    EXPECT_EQ(minutes->value(), 13); // the handle moves towards the click
}

TEST_F(SettingsDialog, StoredTimeBeyondTheLevelIsKeptWhileItsSpinnerStopsAtTheEnd)
{
    state.Tournament.Time = "25:10";
    open();
    EXPECT_EQ(time(), "25:10");
    EXPECT_EQ(child<QScrollBar>("vsMin")->value(), 20);
}

TEST_F(SettingsDialog, LevelPickCutsATimeBeyondTheLevel)
{
    state.Tournament.Level = 3; // 30 minutes
    for (auto [stored, expected] : {std::pair{"25:10", "20:00"}, std::pair{"15:00", "15:00"}}) {
        state.Tournament.Time = stored;
        open();
        EXPECT_EQ(list("cboLevel")->currentText(), "3");
        list("cboLevel")->setCurrentText("1"); // 20 minutes
        EXPECT_EQ(time(), expected) << stored;
    }
}

TEST_F(SettingsDialog, LevelPickSetsTheMinutesRangeAndValue)
{
    state.Tournament.Level = 3; // 30 minutes
    state.Tournament.Time = "25:10";
    open();
    QScrollBar* minutes = child<QScrollBar>("vsMin");
    QScrollBar* seconds = child<QScrollBar>("vsSec");
    EXPECT_EQ(minutes->maximum(), 30);
    list("cboLevel")->setCurrentText("1"); // 20 minutes
    EXPECT_EQ(time(), "20:00");
    EXPECT_EQ(minutes->maximum(), 20);
    EXPECT_EQ(minutes->value(), 20);
    EXPECT_EQ(seconds->value(), 0);
    minutes->setValue(25);
    EXPECT_EQ(time(), "20:00"); // no more than the level's length
    minutes->setValue(7);
    seconds->setValue(30);
    list("cboLevel")->setCurrentText("3");
    EXPECT_EQ(time(), "07:30");
    EXPECT_EQ(minutes->maximum(), 30);
    EXPECT_EQ(minutes->value(), 7);
    EXPECT_EQ(seconds->value(), 30);
    click("cmdApply");
    EXPECT_EQ(state.Tournament.Time, "07:30");
}

// A click on an arrow of the seconds spinner, or a turn of the wheel over it, past 00 or 59.
TEST_F(SettingsDialog, SecondsStepIntoTheNextMinuteFromTheShortStoredForm)
{
    struct Case
    {
        const char* stored;
        int level;
        bool up;
        bool wheel;
        const char* expected;
    };
    for (const Case& c : {Case{"5:00", 1, true, false, "05:01"}, Case{"5:00", 1, false, false, "04:59"},
                          Case{"5:00", 1, false, true, "04:59"}, Case{"04:59", 1, true, false, "05:00"},
                          Case{"04:59", 1, true, true, "05:00"}, Case{"19:59", 1, true, false, "20:00"},
                          Case{"00:00", 1, false, false, "00:00"}, Case{"5:00", 3, true, false, "05:01"}}) {
        SCOPED_TRACE(std::string(c.stored) + (c.up ? " up" : " down") + (c.wheel ? " by wheel" : ""));
        state.Tournament.Level = qint16(c.level);
        state.Tournament.Time = c.stored;
        open();
        QScrollBar* seconds = child<QScrollBar>("vsSec");
        if (c.wheel) {
            QWheelEvent turn(QPointF(5, 20), seconds->mapToGlobal(QPointF(5, 20)), {},
                             QPoint(0, c.up ? 120 : -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                             false);
            QCoreApplication::sendEvent(seconds, &turn);
        } else {
            const int y = c.up ? 3 : seconds->height() - 3; // the arrows
            QTest::mouseClick(seconds, Qt::LeftButton, {}, QPoint(seconds->width() / 2, y));
        }
        EXPECT_EQ(time(), c.expected);
        EXPECT_EQ(child<QScrollBar>("vsMin")->value(), RemainingTime::minutesPart(c.expected));
        EXPECT_EQ(seconds->value(), RemainingTime::secondsPart(c.expected));
    }
}

TEST_F(SettingsDialog, ChipFieldsTakeDigitsOnly)
{
    open();
    for (const char* name : {"Text1", "Text2", "Text3"}) {
        QLineEdit* field = child<QLineEdit>(name);
        field->clear();
        field->setFocus();
        QTest::keyClicks(field, "1a2.5");
        EXPECT_EQ(field->text(), "125") << name;
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), "12") << name;

        // Text that arrives other than by keys: an input method's, a drop, the X11 selection.
        QInputMethodEvent composed;
        composed.setCommitString("3,4x");
        QCoreApplication::sendEvent(field, &composed);
        EXPECT_EQ(field->text(), "1234") << name;
        EXPECT_FALSE(field->acceptDrops()) << name;
        QGuiApplication::clipboard()->setText("9 players", QClipboard::Selection);
        QTest::mouseClick(field, Qt::MiddleButton);
        EXPECT_EQ(field->text(), "1234") << name;
    }
    QLineEdit* amount = child<QLineEdit>("txtBuyin");
    amount->clear();
    QTest::keyClicks(amount, "1a2.5");
    EXPECT_EQ(amount->text(), "1a2.5");
}

TEST_F(SettingsDialog, SoundButtonsPlayTheListedFileOrNothing)
{
    dir.write("sounds/BELL.WAV", "x");
    open();
    click("cmdPlayCount");
    list("cboEnd")->setCurrentText("Bell");
    click("cmdPlayEnd");
    list("cboCount")->setCurrentText("None");
    click("cmdPlayCount");
    ASSERT_EQ(sounds.played.size(), 2);
    EXPECT_EQ(sounds.played[0], dir.folders().Sounds + "count.wav");
    EXPECT_EQ(sounds.played[1], dir.folders().Sounds + "BELL.WAV"); // listed as Bell, found ignoring case
}

TEST_F(SettingsDialog, EditBlindsOpensTheChosenFileOrWarns)
{
    open();
    click("cmdEditBlinds"); // cancelled
    ASSERT_EQ(files.requests.size(), 1);
    EXPECT_EQ(files.requests[0].title, "Select a blinds file");
    EXPECT_EQ(files.requests[0].startFolder, dir.folders().Blinds);
    EXPECT_EQ(files.requests[0].filterName, "CSV Files (*.blinds.csv)");
    EXPECT_EQ(files.requests[0].pattern, "*.blinds.csv");
    EXPECT_TRUE(desktop.opened.isEmpty());

    const QString speed = dir.folders().Blinds + "speed.blinds.csv";
    const QString gone = dir.folders().Blinds + "gone.blinds.csv";
    files.answers = {speed, gone, speed};
    click("cmdEditBlinds");
    EXPECT_EQ(desktop.opened, QStringList({speed}));
    EXPECT_TRUE(boxes.shown.isEmpty());
    click("cmdEditBlinds");
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "File is missing or could not be loaded\r\n\r\n" + gone);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Warning);
    desktop.succeeds = false;
    click("cmdEditBlinds");
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown[1].text, "File is missing or could not be loaded\r\n\r\n" + speed);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SettingsDialog, LoadTournamentAsksThenImportsAndGoesBackToLevelOne)
{
    state.Tournament.Level = 3;
    state.Tournament.Time = "11:11";
    state.Tournament.Tournament_ID = 9;
    state.Tournament.Player_Variance = 2;
    state.Tournament.Entry_Variance = -1;
    tournaments.imported = {"Friday Cup", "50", "25", "10", "2000", "150", 9, {40, 45, 6, 7}};
    open();
    boxes.answers = {false};
    click("cmdLoadTourny");
    EXPECT_EQ(boxes.questions,
              QStringList({QStringLiteral("Do you want to load the KAVRO tournament data?\r\n\r\n"
                                          "This will update any existing settings.")}));
    EXPECT_TRUE(tournaments.importedIds.isEmpty());

    boxes.answers = {true};
    click("cmdLoadTourny");
    EXPECT_EQ(tournaments.importedIds, QList<qint32>({9}));
    EXPECT_EQ(text("txtName"), "Friday Cup");
    EXPECT_EQ(text("txtBuyin"), "50");
    EXPECT_EQ(text("txtRebuy"), "25");
    EXPECT_EQ(text("txtAddon"), "10");
    EXPECT_EQ(text("Text5"), "2000");
    EXPECT_EQ(text("Text4"), "150");
    EXPECT_EQ(text("txtPlayers"), "40");
    EXPECT_EQ(text("txtEntries"), "45");
    EXPECT_EQ(text("txtRebuys"), "6");
    EXPECT_EQ(text("txtAddons"), "7");
    EXPECT_EQ(list("cboLevel")->currentText(), "1");
    EXPECT_EQ(time(), "20:00");
    EXPECT_EQ(dialog->workingTournament.Player_Variance, 0);
    EXPECT_EQ(dialog->workingTournament.Entry_Variance, 0);
    EXPECT_EQ(state.Tournament.Level, 3); // nothing saved yet
}

TEST_F(SettingsDialog, FailedImportChangesNothing)
{
    tournaments.importError = "Tournament 4 does not exist.";
    open();
    list("cboTourny")->setCurrentText("Monday Deepstack");
    boxes.answers = {true};
    click("cmdLoadTourny");
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "Tournament 4 does not exist.");
    EXPECT_EQ(text("txtName"), "");
}

TEST_F(SettingsDialog, ResetAnsweredNoChangesNothingYesGoesToLevelOne)
{
    state.Tournament.Level = 2;
    state.Tournament.Time = "03:21";
    state.Tournament.Players = 30;
    state.Tournament.Rebuy_Variance = 4;
    open();
    boxes.answers = {false};
    click("cmdReset");
    EXPECT_EQ(
        boxes.questions,
        QStringList({QStringLiteral("Are you sure that you want to re-set the tournament to level 1?")}));
    EXPECT_EQ(list("cboLevel")->currentText(), "2");
    EXPECT_EQ(time(), "03:21");
    EXPECT_EQ(dialog->workingTournament.Rebuy_Variance, 4);

    boxes.answers = {true};
    click("cmdReset");
    EXPECT_EQ(list("cboLevel")->currentText(), "1");
    EXPECT_EQ(time(), "20:00");
    EXPECT_EQ(dialog->workingTournament.Rebuy_Variance, 0);
    EXPECT_EQ(text("txtPlayers"), "30");
    EXPECT_EQ(state.Tournament.Level, 2); // stored only by a later save
    click("cmdApply");
    EXPECT_EQ(state.Tournament.Level, 1);
    EXPECT_EQ(state.Tournament.Time, "20:00");
    EXPECT_EQ(state.Tournament.Rebuy_Variance, 0);
}

TEST_F(SettingsDialog, ResetWithoutLevelsOnlyClearsTheCorrections)
{
    blinds.reset();
    state.Tournament.Time = "03:21";
    state.Tournament.Player_Variance = 3;
    open();
    EXPECT_EQ(list("cboLevel")->count(), 0);
    boxes.answers = {true};
    click("cmdReset");
    EXPECT_EQ(time(), "03:21");
    EXPECT_EQ(dialog->workingTournament.Player_Variance, 0);
}

TEST_F(SettingsDialog, SaveStoresWritesUpdatesTheClockAndCloses)
{
    state.Tournament.Blinds = "Speed.blinds.csv";
    state.Tournament.Level = 2;
    state.Tournament.Time = "07:30";
    open();
    type("txtName", "Sunday Special");
    list("cboColor")->setCurrentText("Purple");
    list("cboCount")->setCurrentText("None");
    click("cmdApply");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(boxes.questions.isEmpty()); // the save took a new snapshot
    EXPECT_EQ(state.Tournament.Title, "Sunday Special");
    EXPECT_EQ(state.Tournament.Blinds, "speed.blinds.csv");
    EXPECT_EQ(state.Display.Color_Style, 4);
    EXPECT_EQ(state.Display.Tick_Sound, "");
    EXPECT_EQ(iniLine("Title"), "Title=Sunday Special");
    EXPECT_EQ(iniLine("Tick_Sound"), "Tick_Sound=");
    EXPECT_EQ(iniLine("Blinds"), "Blinds=speed.blinds.csv");
    EXPECT_EQ(iniLine("Color_Style"), "Color_Style=4");
    EXPECT_EQ(screenCalls, QStringList({"refresh", "colorStyle", "background", "statistics", "prizePool",
                                        "lblLevel=2", "lblTitle=Sunday Special", "countDown", "setBlind 2"}));
}

TEST_F(SettingsDialog, SaveCorrectsInconsistentCounts)
{
    state.Tournament.Player_Variance = 1;
    state.Tournament.Entry_Variance = 2;
    state.Tournament.Rebuy_Variance = 3;
    state.Tournament.Addon_Variance = 4;
    open();
    type("txtPlayers", "8");
    type("txtEntries", "5");
    click("cmdApply");
    EXPECT_EQ(text("txtPlayers"), "5");
    EXPECT_EQ(state.Tournament.Players, 5);

    open();
    type("txtEntries", "0");
    type("txtRebuys", "3");
    type("txtAddons", "2");
    click("cmdApply");
    EXPECT_EQ(state.Tournament.Rebuys, 0);
    EXPECT_EQ(state.Tournament.Addons, 0);
    EXPECT_EQ(state.Tournament.Rebuy_Variance, 0);
    EXPECT_EQ(state.Tournament.Addon_Variance, 0);
    EXPECT_EQ(state.Tournament.Player_Variance, 1);
    EXPECT_EQ(state.Tournament.Entry_Variance, 2);
}

TEST_F(SettingsDialog, RejectedSaveNamesTheFieldAndKeepsTheDialogOpen)
{
    open();
    type("txtEntries", "40000");
    type("txtPlayers", "40000");
    type("txtName", "Not saved");
    click("cmdApply");
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text,
              "The value in \"Players\" is out of range.\r\n\r\nPlease correct it before saving.");
    EXPECT_EQ(state.Tournament.Title, "");
    EXPECT_FALSE(dir.read("darvel.ini").contains("Not saved"));
    EXPECT_TRUE(screenCalls.isEmpty());
}

TEST_F(SettingsDialog, SaveWithoutBlindsFilesIsRefused)
{
    for (const char* name : {"blinds/speed.blinds.csv", "blinds/turbo.blinds.csv"}) {
        QFile::remove(dir.programPath(name));
    }
    open();
    EXPECT_EQ(list("cboBlinds")->count(), 0);
    click("cmdApply");
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("There is no blinds structure to select in \"Blinds\".\r\n\r\n"
                             "Please add a blinds file before saving."));
}

TEST_F(SettingsDialog, CancelAtOnceOrAfterARoundingChangeClosesWithoutAsking)
{
    const TournamentRecord before = state.Tournament;
    open();
    click("cmdCancel");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(boxes.questions.isEmpty());

    open();
    child<QRadioButton>("optRounding2")->setChecked(true);
    click("cmdCancel");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(boxes.questions.isEmpty());
    EXPECT_EQ(state.Tournament, before);
    EXPECT_TRUE(screenCalls.isEmpty());
}

TEST_F(SettingsDialog, CancelAfterAChangeAsksAndYesSavesNoDiscards)
{
    open();
    type("txtName", "Changed");
    boxes.answers = {false};
    click("cmdCancel");
    EXPECT_EQ(boxes.questions, QStringList({QStringLiteral("The clock settings have been changed!\r\n\r\n"
                                                           "Do you want to save the changes?")}));
    EXPECT_EQ(boxes.questions[0],
              "The clock settings have been changed!\r\n\r\nDo you want to save the changes?");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(state.Tournament.Title, "");

    open();
    type("txtName", "Changed");
    boxes.answers = {true};
    dialog->close(); // the window's own close button
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(state.Tournament.Title, "Changed");
    EXPECT_EQ(iniLine("Title"), "Title=Changed");
    EXPECT_EQ(screenCalls.last(), "setBlind 1");
}

TEST_F(SettingsDialog, EscapeClosesLikeCancel)
{
    open();
    type("txtName", "Changed");
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(boxes.questions.size(), 1);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(SettingsDialog, LogoChosenIsCopiedOnSaveAndShownOnTheClock)
{
    dir.write("logo.jpg", jpeg(Qt::red));
    dir.write("../new-logo.jpg", jpeg(Qt::green));
    const QString chosen = dir.parentPath("new-logo.jpg");
    open();
    files.answers = {chosen};
    click("cmdLogo");
    EXPECT_EQ(files.requests[0].title, "Select a logo file");
    EXPECT_EQ(files.requests[0].startFolder, dir.folders().Program);
    EXPECT_EQ(files.requests[0].filterName, "JPG Files (*.jpg)");
    EXPECT_EQ(dialog->pendingLogoFile, chosen);
    EXPECT_GT(child<PictureBox>("Image2")->picture().toImage().pixelColor(4, 4).green(), 200);
    EXPECT_NE(dir.read("logo.jpg"), dir.read("../new-logo.jpg"));
    click("cmdApply");
    EXPECT_EQ(dir.read("logo.jpg"), dir.read("../new-logo.jpg"));
    EXPECT_EQ(screenCalls.last(), "showLogo");
    EXPECT_FALSE(QFile::exists(dir.programPath("logo.jpg.new")));
}

TEST_F(SettingsDialog, CancelledLogoChooserCopiesNothing)
{
    dir.write("logo.jpg", jpeg(Qt::red));
    const QByteArray logo = dir.read("logo.jpg");
    open();
    files.answers = {dir.parentPath("x.jpg"), ""};
    click("cmdLogo");
    click("cmdLogo"); // the second choice is cancelled: the first is forgotten
    EXPECT_EQ(dialog->pendingLogoFile, "");
    EXPECT_GT(child<PictureBox>("Image2")->picture().toImage().pixelColor(4, 4).red(), 200);
    click("cmdApply");
    EXPECT_EQ(dir.read("logo.jpg"), logo);
    EXPECT_FALSE(screenCalls.contains("showLogo"));
}

TEST_F(SettingsDialog, PickingTheInstalledLogoChangesNothing)
{
    dir.write("logo.jpg", jpeg(Qt::red));
    open();
    files.answers = {dir.programPath("logo.jpg")};
    click("cmdLogo");
    EXPECT_EQ(dialog->pendingLogoFile, "");
    click("cmdCancel");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(boxes.questions.isEmpty());

    // After another pick it brings the preview back to the installed logo.
    dir.write("../other.jpg", jpeg(Qt::green));
    open();
    files.answers = {dir.parentPath("other.jpg"), dir.programPath("logo.jpg")};
    click("cmdLogo");
    click("cmdLogo");
    EXPECT_EQ(dialog->pendingLogoFile, "");
    EXPECT_GT(child<PictureBox>("Image2")->picture().toImage().pixelColor(4, 4).red(), 200);
}

TEST_F(SettingsDialog, LogoThatVanishedBeforeTheSaveIsReported)
{
    dir.write("../vanishing.jpg", jpeg(Qt::green));
    dir.write("logo.jpg", jpeg(Qt::red));
    const QByteArray logo = dir.read("logo.jpg");
    open();
    files.answers = {dir.parentPath("vanishing.jpg")};
    click("cmdLogo");
    QFile::remove(dir.parentPath("vanishing.jpg"));
    click("cmdApply");
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.startsWith("The logo could not be copied"));
    EXPECT_EQ(dir.read("logo.jpg"), logo); // the old logo stays
    EXPECT_FALSE(screenCalls.contains("showLogo"));
    EXPECT_EQ(state.Tournament.Blinds, "speed.blinds.csv"); // the rest was saved
}

} // namespace
