// The blinds builder driven as the director would, offscreen, with its boxes and chooser answered.
#include "settings/frmBlindBuilder.h"

#include "SettingsDialogWorld.h"
#include "core/BlindStructure.h"
#include "core/ClockSettingsFile.h"
#include "settings/SettingsDialogContext.h"
#include "settings/SettingsSave.h"
#include "settings/frmClockSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

class BlindBuilder : public testing::Test, protected SettingsDialogWorld
{
protected:
    std::unique_ptr<frmBlindBuilder> builder;
    QList<BlindStructure> usedNow;

    void SetUp() override
    {
        makeContext().useBlindsNow = [this](const BlindStructure& s) { usedNow.append(s); };
    }

    frmBlindBuilder& open()
    {
        BlindPlanInputs defaults;
        defaults.entries = 60;
        defaults.startingChips = 20000;
        defaults.rebuys = 10;
        defaults.rebuyChips = 10000;
        builder = std::make_unique<frmBlindBuilder>(*context, defaults);
        builder->show();
        return *builder;
    }
    template <typename T> T* child(const char* name)
    {
        T* w = builder->findChild<T*>(QString::fromLatin1(name));
        if (!w) {
            ADD_FAILURE() << "no control " << name;
        }
        return w;
    }
    QTableWidget* table() { return child<QTableWidget>("tblLevels"); }
    QString cell(int row, int column) { return table()->item(row, column)->text(); }
    void click(const char* name) { child<QPushButton>(name)->click(); }
};

TEST_F(BlindBuilder, RegeneratesWhenAnInputChangesUnlessHandEditsAreKept)
{
    open();
    EXPECT_EQ(table()->columnCount(), 7);
    ASSERT_GE(table()->rowCount(), 16);
    EXPECT_EQ(cell(0, 1), "100");
    EXPECT_EQ(cell(0, 2), "200");
    EXPECT_EQ(cell(5, 6), "Colour up the 25 chips");
    const QString plan = child<QPlainTextEdit>("txtPlan")->toPlainText();
    EXPECT_TRUE(plan.startsWith("Estimated end: level 16, after 5:00 of play, at 00:20"))
        << plan.toStdString();
    EXPECT_TRUE(plan.contains("Level 2  125/250  starts at 0:20 of play, 19:20")) << plan.toStdString();

    child<QSpinBox>("spinDepth")->setValue(50);
    EXPECT_EQ(cell(0, 2), "400");
    EXPECT_FALSE(child<QSpinBox>("spinAnteFrom")->isEnabled());
    child<QSpinBox>("spinAnteFrom")->setValue(3);
    child<QComboBox>("cboAnte")->setCurrentIndex(2);
    EXPECT_TRUE(child<QSpinBox>("spinAnteFrom")->isEnabled());
    EXPECT_EQ(cell(1, 3), "0");
    EXPECT_EQ(cell(2, 3), cell(2, 2)) << "a big-blind ante from level 3";
    child<QComboBox>("cboAnte")->setCurrentIndex(0);
    EXPECT_EQ(cell(2, 3), "0");

    // A hand edit is kept through input changes until the director lets go of it.
    table()->item(0, 2)->setText("500");
    EXPECT_TRUE(child<QCheckBox>("chkKeepEdits")->isChecked());
    child<QSpinBox>("spinDepth")->setValue(100);
    EXPECT_EQ(cell(0, 2), "500");
    EXPECT_TRUE(
        child<QPlainTextEdit>("txtPlan")->toPlainText().contains("Level 1  200/500  starts at 0:00 of play"));
    child<QCheckBox>("chkKeepEdits")->setChecked(false);
    EXPECT_EQ(cell(0, 2), "200");

    child<QSpinBox>("spinDepth")->setValue(20);
    child<QLineEdit>("txtChips")->setText("");
    emit child<QLineEdit>("txtChips")->editingFinished();
    EXPECT_TRUE(child<QLabel>("lblProblem")->text().contains("no chips"));
}

TEST_F(BlindBuilder, RowsAreInsertedDeletedAndMovedAndTheWarningsFollow)
{
    open();
    const int rows = table()->rowCount();
    table()->setCurrentCell(1, 1);
    click("cmdInsert");
    EXPECT_EQ(table()->rowCount(), rows + 1);
    table()->item(1, 1)->setText("60");
    table()->item(1, 2)->setText("120");
    QString plan = child<QPlainTextEdit>("txtPlan")->toPlainText();
    EXPECT_TRUE(plan.contains("Level 2: the small blind 60 cannot be paid with the chips in play"))
        << plan.toStdString();
    EXPECT_TRUE(plan.contains("Level 2: the blinds go down"));

    table()->setCurrentCell(1, 1);
    click("cmdDown");
    EXPECT_EQ(cell(2, 2), "120");
    EXPECT_EQ(cell(1, 2), "250");
    click("cmdUp");
    EXPECT_EQ(cell(1, 2), "120");
    click("cmdDelete");
    EXPECT_EQ(table()->rowCount(), rows);
    table()->item(2, 3)->setText("1000");
    plan = child<QPlainTextEdit>("txtPlan")->toPlainText();
    EXPECT_TRUE(plan.contains("Level 3: the ante is above the big blind"));
    EXPECT_FALSE(plan.contains("cannot be paid"));
}

TEST_F(BlindBuilder, SaveAsWritesIntoTheBlindsFolderAndAsksBeforeReplacing)
{
    open();
    child<QLineEdit>("txtName")->setText("Friday");
    QString saved;
    QObject::connect(builder.get(), &frmBlindBuilder::saved, [&saved](const QString& name) { saved = name; });
    click("cmdSaveAs");
    EXPECT_EQ(saved, "Friday.blinds.csv");
    const QByteArray bytes = dir.read("blinds/Friday.blinds.csv");
    EXPECT_TRUE(
        bytes.startsWith("Level,Small Blind,Big Blind,Ante,Minutes,Break,Note\r\n1,100,200,0,20,0,\r\n"));

    state.Tournament.Blinds = "Friday.blinds.csv";
    BlindStructure loaded;
    LoadBlindStructure(state, loaded);
    EXPECT_EQ(loaded.levelCount(), table()->rowCount());

    // Replacing: a question, and No keeps the old file.
    table()->item(0, 1)->setText("75");
    boxes.answers = {false};
    saved.clear();
    click("cmdSaveAs");
    EXPECT_EQ(boxes.questions, QStringList{frmBlindBuilder::replaceQuestion("Friday.blinds.csv")});
    EXPECT_TRUE(saved.isEmpty());
    EXPECT_EQ(dir.read("blinds/Friday.blinds.csv"), bytes);
    boxes.answers = {true};
    click("cmdSaveAs");
    EXPECT_EQ(saved, "Friday.blinds.csv");
    EXPECT_TRUE(dir.read("blinds/Friday.blinds.csv").contains("\r\n1,75,200,"));

    // Names the settings file cannot hold, or no name, are refused with the settings dialog's message.
    child<QLineEdit>("txtName")->setText(QString::fromUtf8("Пятница"));
    click("cmdSaveAs");
    ASSERT_FALSE(boxes.shown.isEmpty());
    EXPECT_EQ(boxes.shown.last().text,
              SettingsSave::unsupportedNameMessage("Blinds", QString::fromUtf8("Пятница.blinds.csv")));
    for (const char* bad : {"", "../x", "a/b"}) {
        child<QLineEdit>("txtName")->setText(QString::fromLatin1(bad));
        click("cmdSaveAs");
        EXPECT_EQ(boxes.shown.last().text, frmBlindBuilder::badNameMessage()) << bad;
    }
}

TEST_F(BlindBuilder, OpensAHandMadeFileAndSavesItBackAsItWas)
{
    const QByteArray handMade = "Lvl,SB,BB,Ante,Min,Brk\r\n1,500,1K,0,15,0\r\n2,\"1,000\",2K,0,15,10\r\n"
                                "3,1.5K,3K,500,15,0\r\n";
    dir.write("blinds/Hand.blinds.csv", handMade);
    open();
    files.answers = {dir.programPath("blinds/Hand.blinds.csv")};
    click("cmdOpen");
    ASSERT_EQ(files.requests.size(), 1);
    EXPECT_EQ(files.requests.first().pattern, "*.blinds.csv");
    EXPECT_EQ(table()->rowCount(), 3);
    EXPECT_EQ(cell(1, 1), "1,000");
    EXPECT_EQ(child<QLineEdit>("txtName")->text(), "Hand");
    child<QSpinBox>("spinEntries")->setValue(8);
    child<QSpinBox>("spinRebuys")->setValue(0);
    child<QSpinBox>("spinStack")->setValue(5000);
    EXPECT_EQ(cell(2, 2), "3K") << "input changes leave an opened file alone";
    EXPECT_TRUE(child<QPlainTextEdit>("txtPlan")->toPlainText().startsWith(
        "Estimated end: level 2, after 0:15 of play"));

    child<QLineEdit>("txtName")->setText("Hand again");
    click("cmdSaveAs");
    EXPECT_EQ(dir.read("blinds/Hand again.blinds.csv"), handMade);

    table()->item(1, 6)->setText("Colour up the 100 chips");
    child<QLineEdit>("txtName")->setText("Hand noted");
    click("cmdSaveAs");
    EXPECT_EQ(dir.read("blinds/Hand noted.blinds.csv"),
              "Lvl,SB,BB,Ante,Min,Brk,Note\r\n1,500,1K,0,15,0,\r\n2,\"1,000\",2K,0,15,10,Colour up the 100 "
              "chips\r\n"
              "3,1.5K,3K,500,15,0,\r\n");
}

TEST_F(BlindBuilder, UseNowHandsTheTableToTheClock)
{
    open();
    table()->item(0, 1)->setText("75");
    click("cmdUseNow");
    ASSERT_EQ(usedNow.size(), 1);
    EXPECT_EQ(usedNow.first().at(1).SmallBlind, "75");
    EXPECT_EQ(usedNow.first().levelCount(), table()->rowCount());

    context->useBlindsNow = nullptr;
    builder.reset();
    open();
    EXPECT_FALSE(child<QPushButton>("cmdUseNow")->isEnabled());
}

TEST_F(BlindBuilder, TheSettingsDialogOpensItBesideEditBlindsAndListsTheSavedFile)
{
    ReadWriteClockSettings(state, "read");
    dir.write("blinds/speed.blinds.csv", "x");
    state.Tournament.Blinds = "Speed.blinds.csv";
    state.Tournament.Entries = 40;
    state.Tournament.Buyin_Chips = *Money::fromWhole(15000);
    frmClockSettings settings(*context);
    settings.show();
    QComboBox* list = settings.findChild<QComboBox*>("cboBlinds");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->count(), 1);

    int entries = 0;
    qint64 stack = 0;
    QTimer::singleShot(0, [&] {
        auto* opened = qobject_cast<frmBlindBuilder*>(QApplication::activeModalWidget());
        ASSERT_TRUE(opened);
        entries = opened->inputs().entries;
        stack = opened->inputs().startingChips;
        opened->findChild<QLineEdit*>("txtName")->setText("Anniversary");
        opened->saveAs();
        opened->accept();
    });
    settings.findChild<QPushButton*>("cmdNewBlinds")->click();
    EXPECT_EQ(entries, 40);
    EXPECT_EQ(stack, 15000);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), "Anniversary");
    EXPECT_EQ(list->currentText(), "Speed") << "saving does not choose the new file";
    EXPECT_EQ(settings.blindsFileNames, (QStringList{"Anniversary.blinds.csv", "speed.blinds.csv"}));
}

} // namespace
