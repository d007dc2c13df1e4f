// The demo manager database and kavro.ini the build lays out beside the program folder.
#include "ManagerScenario.h"
#include "core/TournamentState.h"
#include "manager/ConnectManagerDatabase.h"
#include "manager/ImportTournament.h"
#include "manager/ManagerSettings.h"
#include "manager/RefreshFromManager.h"
#include "manager/TournamentList.h"
#include "support/FakeMessageBoxes.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TEST(DemoDatabase, TheClockStartsAgainstItAndCountsTheRunningTournament)
{
    ManagerSettings settings;
    FakeMessageBoxes boxes;
    ConnectManagerDatabase(settings, QDir::toNativeSeparators(KAVRO_DEMO_PARENT_DIR) + QDir::separator(),
                           boxes, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_FALSE(settings.IsSqlServer);
    EXPECT_TRUE(settings.DATABASE.endsWith("kavro-demo.db"));
    EXPECT_EQ(settings.CurrencySymbol, "$");
    EXPECT_FALSE(settings.hide_tourny);
    EXPECT_FALSE(settings.auto_program_upgrade);

    EXPECT_EQ(ListTournaments(settings, QDate(2026, 12, 4)),
              (QList<TournamentListEntry>{{2, "Friday Night Deepstack"},
                                          {3, "Saturday Bounty Builder"},
                                          {4, "Sunday Main Event"},
                                          {6, "Wednesday PLO"}}));

    const ImportedTournament running = ImportTournament(settings, 2);
    EXPECT_EQ(running.Title, "Friday Night Deepstack");
    EXPECT_EQ(running.Buyin, "50");
    EXPECT_EQ(running.Guarantee, "3000");
    EXPECT_EQ(running.Seats, 9);
    // 60 receipts; 9 busted and 3 moved off the table of their receipt
    EXPECT_EQ(running.Counts, (TournamentCounts{48, 60, 14, 22}));

    TournamentState state;
    state.Tournament.Refresh = 30;
    state.Tournament.Tournament_ID = 2;
    EXPECT_EQ(RefreshFromManager(state, settings, boxes, {}), RefreshOutcome::Updated);
    EXPECT_EQ(state.Tournament.Players, 48);
    EXPECT_EQ(ImportTournament(settings, 3).Counts, (TournamentCounts{8, 8, 0, 0}));
}

} // namespace
