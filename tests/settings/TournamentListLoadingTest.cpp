// The settings dialog's tournament list comes from the manager's database, which may be slow or locked:
// the dialog opens at once with the list "loading", works meanwhile, and takes the list when it comes.
#include "SettingsDialogWorld.h"
#include "core/BlindStructure.h"
#include "core/ClockSettingsFile.h"
#include "manager/ManagerConnection.h"
#include "manager/ManagerIni.h"
#include "manager/ManagerScenario.h"
#include "manager/RunWithinTimeLimit.h"
#include "settings/ManagerTournamentSource.h"
#include "settings/frmClockSettings.h"
#include "support/QtPrinters.h"
#include "support/ShortManagerTimeLimits.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Holds the list back until the test hands it over, as a slow database would.
class SlowTournamentSource : public FakeTournamentSource
{
public:
    QPointer<QObject> waiting;
    std::function<void(const ListOutcome&)> deliver;

    void listLater(QObject* context, std::function<void(const ListOutcome&)> done) override
    {
        waiting = context;
        deliver = std::move(done);
    }
    void answer(const ListOutcome& outcome)
    {
        ASSERT_TRUE(waiting) << "the dialog is gone";
        deliver(outcome);
    }
};

class ListLoading : public testing::Test, protected SettingsDialogWorld
{
protected:
    std::unique_ptr<frmClockSettings> dialog;

    void SetUp() override
    {
        ReadWriteClockSettings(state, "read");
        state.Tournament.Level = 1;
        state.Tournament.Tournament_ID = 9;
        dir.write("blinds/speed.blinds.csv", "x");
        state.Tournament.Blinds = "Speed.blinds.csv";
        ParseBlindLines({"Level,SB,BB,Ante,Minutes,Break", "1,25,50,0,20,0"}, "speed.blinds.csv", blinds);
    }
    frmClockSettings& open(TournamentSource& source)
    {
        makeContext(source);
        dialog = std::make_unique<frmClockSettings>(*context);
        dialog->show();
        return *dialog;
    }
    QComboBox* tournamentList() { return dialog->findChild<QComboBox*>("cboTourny"); }
    QPushButton* loadButton() { return dialog->findChild<QPushButton*>("cmdLoadTourny"); }
    void expectLoading()
    {
        EXPECT_TRUE(dialog->tournamentListLoading);
        EXPECT_FALSE(tournamentList()->isEnabled());
        EXPECT_FALSE(loadButton()->isEnabled());
        EXPECT_EQ(tournamentList()->count(), 0);
        EXPECT_EQ(tournamentList()->placeholderText(), "loading");
    }
};

TEST_F(ListLoading, DialogWorksWhileTheListLoadsAndSavingKeepsTheLinkedTournament)
{
    SlowTournamentSource source;
    open(source);
    expectLoading();
    EXPECT_TRUE(boxes.shown.isEmpty());
    dialog->findChild<QLineEdit*>("txtName")->setText("Saved while loading");
    dialog->findChild<QPushButton*>("cmdApply")->click();
    EXPECT_EQ(state.Tournament.Title, "Saved while loading");
    EXPECT_EQ(state.Tournament.Tournament_ID, 9);
}

TEST_F(ListLoading, ArrivingListSelectsTheLinkedTournamentAndIsNoChangeOfTheDirectors)
{
    struct Case
    {
        const char* name;
        TournamentSource::ListOutcome outcome;
        QStringList entries;
        QString selected;
        int warnings;
    };
    const QList<Case> cases = {
        {"list",
         {true, {{4, "Monday Deepstack"}, {9, "Friday Cup"}}, {}},
         {"Monday Deepstack", "Friday Cup"},
         "Friday Cup",
         0},
        {"error", {false, {}, "The manager database did not answer within 25 seconds."}, {}, "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.shown.clear();
        boxes.questions.clear();
        SlowTournamentSource source;
        open(source);
        expectLoading();
        source.answer(c.outcome);
        EXPECT_FALSE(dialog->tournamentListLoading);
        EXPECT_EQ(dialog->tournamentListRead, c.outcome.read);
        EXPECT_TRUE(tournamentList()->isEnabled());
        EXPECT_TRUE(loadButton()->isEnabled());
        QStringList entries;
        for (int i = 0; i < tournamentList()->count(); ++i) {
            entries << tournamentList()->itemText(i);
        }
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(tournamentList()->currentText(), c.selected);
        ASSERT_EQ(boxes.shown.size(), c.warnings);
        if (c.warnings > 0) {
            EXPECT_TRUE(boxes.shown[0].text.endsWith(c.outcome.error));
        }
        dialog->reject();
        EXPECT_TRUE(boxes.questions.isEmpty()) << "closing without a change asks nothing";
        EXPECT_FALSE(dialog->isVisible());
    }
}

class ManagerListLoading : public ListLoading
{
protected:
    ManagerSettings settings;

    void SetUp() override
    {
        ListLoading::SetUp();
        settings.DATABASE = dir.parentPath("manager.db");
        ApplyManagerDialect(settings);
        ManagerTestDb db(ManagerTestDb::Kind::Sqlite, settings.DATABASE);
        ManagerScenario::seed(db);
    }
    void TearDown() override
    {
        EXPECT_TRUE(ShortManagerTimeLimits::connectionsGone(ManagerConnection::namePrefix()));
    }
};

TEST_F(ManagerListLoading, LockedDatabaseLeavesTheDialogLoadingUntilTheTimeLimitThenWarns)
{
    ShortManagerTimeLimits limits(60000, 300);
    ManagerTournamentSource source(settings, [] { return ManagerScenario::Today; });
    {
        ManagerTestDb writer(ManagerTestDb::Kind::Sqlite, settings.DATABASE);
        writer.exec("BEGIN EXCLUSIVE");
        open(source);
        expectLoading();
        EXPECT_TRUE(boxes.shown.isEmpty());
        for (int i = 0; i < 200 && boxes.shown.isEmpty(); ++i) {
            QTest::qWait(50);
        }
        ASSERT_EQ(boxes.shown.size(), 1);
        EXPECT_TRUE(boxes.shown[0].text.endsWith(ManagerTimeLimitMessage(300)));
        EXPECT_FALSE(dialog->tournamentListRead);
        EXPECT_TRUE(tournamentList()->isEnabled());
        EXPECT_THROW(source.import(ManagerScenario::Running), ManagerError);
    }
    boxes.shown.clear();
    open(source);
    for (int i = 0; i < 200 && dialog->tournamentListLoading; ++i) {
        QTest::qWait(50);
    }
    // The four the manager lists, and first the linked one it does not list.
    EXPECT_EQ(tournamentList()->count(), 5);
    EXPECT_EQ(tournamentList()->itemData(0).toInt(), 9);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(ManagerListLoading, DialogClosedBeforeTheListCameHearsNothingOfIt)
{
    ShortManagerTimeLimits limits(60000, 60000);
    ManagerTournamentSource source(settings, [] { return ManagerScenario::Today; });
    ManagerTestDb writer(ManagerTestDb::Kind::Sqlite, settings.DATABASE);
    writer.exec("BEGIN EXCLUSIVE");
    open(source);
    expectLoading();
    dialog.reset();
    writer.exec("ROLLBACK");
    // the list is read now, for nobody
    EXPECT_TRUE(ShortManagerTimeLimits::connectionsGone(ManagerConnection::namePrefix()));
    QCoreApplication::processEvents();
    EXPECT_TRUE(boxes.shown.isEmpty());
}

} // namespace
