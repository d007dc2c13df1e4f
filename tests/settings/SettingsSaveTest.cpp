#include "settings/SettingsSave.h"

#include "core/TournamentState.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class Save : public testing::Test
{
protected:
    SettingsForm form;
    TournamentRecord tournament;
    DisplayRecord display;
    const QStringList blinds{"speed.blinds.csv", "turbo.blinds.csv"};

    void SetUp() override
    {
        form.txtName = "Friday Cup";
        form.txtPlayers = "8";
        form.txtEntries = "10";
        form.txtRebuys = "3";
        form.txtAddons = "2";
        form.txtBuyin = "20";
        form.txtRebuy = "10";
        form.txtAddon = "5";
        form.Text1 = "1000";
        form.Text2 = "1500";
        form.Text3 = "2000";
        form.Text5 = "500";
        form.Text4 = "12.5";
        form.lblTime = "12:34";
        form.level = "3";
        form.tournamentId = 7;
        form.blindsIndex = 0;
        form.roundingIndex = 1;
        form.refreshIndex = 3;
        form.colourIndex = 5;
        form.tickSound = "Count";
        form.endSound = "None";
        form.background = "Night";
        tournament.Player_Variance = 1;
        tournament.Entry_Variance = 2;
        tournament.Rebuy_Variance = 3;
        tournament.Addon_Variance = 4;
    }

    std::optional<QString> apply() { return SettingsSave::apply(form, blinds, tournament, display); }
};

TEST_F(Save, TakesEveryFieldFromTheControls)
{
    ASSERT_EQ(apply(), std::nullopt);
    EXPECT_EQ(tournament.Title, "Friday Cup");
    EXPECT_EQ(tournament.Level, 3);
    EXPECT_EQ(tournament.Time, "12:34");
    EXPECT_EQ(tournament.Tournament_ID, 7);
    EXPECT_EQ(tournament.Blinds, "speed.blinds.csv"); // the name on disk, not the shown "Speed"
    EXPECT_EQ(tournament.Players, 8);
    EXPECT_EQ(tournament.Entries, 10);
    EXPECT_EQ(tournament.Rebuys, 3);
    EXPECT_EQ(tournament.Addons, 2);
    EXPECT_EQ(tournament.Buyin.toString(), "20");
    EXPECT_EQ(tournament.Rebuy_Chips.toString(), "1500");
    EXPECT_EQ(tournament.Prize_Contribution.toString(), "12.5");
    EXPECT_EQ(tournament.Prize_Guarantee.toString(), "500");
    EXPECT_EQ(tournament.Prize_Rounding, 10);
    EXPECT_EQ(tournament.Refresh, 30);
    EXPECT_EQ(display.Color_Style, 5);
    EXPECT_EQ(display.Tick_Sound, "Count.wav");
    EXPECT_EQ(display.End_Sound, ""); // None
    EXPECT_EQ(display.Background, "Night.jpg");
    EXPECT_EQ(tournament.Rebuy_Variance, 3);
}

TEST_F(Save, TextsAreReadLeniently)
{
    form.txtPlayers = "7 players";
    form.txtBuyin = "abc";
    form.Text4 = " 1 000.25";
    form.level = "";
    tournament.Level = 4;
    form.tournamentId.reset();
    form.colourIndex = -1; // a stored scheme the list does not know
    display.Color_Style = 9;
    ASSERT_EQ(apply(), std::nullopt);
    EXPECT_EQ(display.Color_Style, 9);
    EXPECT_EQ(tournament.Players, 7);
    EXPECT_TRUE(tournament.Buyin.isZero());
    EXPECT_EQ(tournament.Prize_Contribution.toString(), "1000.25");
    EXPECT_EQ(tournament.Level, 4); // no level to pick: the level stays
    EXPECT_EQ(tournament.Tournament_ID, 0);
}

TEST_F(Save, OutOfRangeValuesAreRejectedNamingTheFieldAndNothingChanges)
{
    struct Case
    {
        QString SettingsForm::*field;
        const char* value;
        const char* name;
    };
    for (const Case& c :
         {Case{&SettingsForm::txtPlayers, "40000", "Players"},
          Case{&SettingsForm::txtEntries, "40000", "Entries"},
          Case{&SettingsForm::txtRebuys, "-40000", "Rebuys"}, Case{&SettingsForm::txtAddons, "1e9", "Addons"},
          Case{&SettingsForm::Text1, "1e30", "Buy-in Chips"},
          Case{&SettingsForm::txtAddon, "1e30", "Addon Amount"},
          Case{&SettingsForm::Text5, "1e30", "Guarantee"}}) {
        SetUp();
        tournament = TournamentRecord{};
        display = DisplayRecord{};
        form.*c.field = c.value;
        const SettingsForm before = form;
        const auto problem = apply();
        ASSERT_TRUE(problem.has_value()) << c.name;
        EXPECT_EQ(*problem, QStringLiteral("The value in \"") + c.name +
                                "\" is out of range.\r\n\r\nPlease correct it before saving.");
        EXPECT_EQ(form, before) << c.name; // not even the count corrections
        EXPECT_EQ(tournament, TournamentRecord{}) << c.name;
        EXPECT_EQ(display, DisplayRecord{}) << c.name;
    }
}

TEST_F(Save, NoBlindsFileIsRejected)
{
    form.blindsIndex = -1;
    EXPECT_EQ(apply(), QStringLiteral("There is no blinds structure to select in \"Blinds\".\r\n\r\n"
                                      "Please add a blinds file before saving."));
    EXPECT_EQ(tournament.Title, "");
}

// The settings file is Windows-1252: "Środa.blinds.csv" would come back as "?roda.blinds.csv" and the next
// start would load another structure.
TEST_F(Save, FileNameTheSettingsFileCannotHoldIsRefused)
{
    struct Case
    {
        const char* field;
        QStringList blindsNames;
        QString SettingsForm::*choice;
        QString value;
        QString stored;
    };
    const QString polish = QString::fromUtf8("\u015Aroda");
    for (const Case& c : {Case{"Blinds", {polish + ".blinds.csv"}, nullptr, {}, polish + ".blinds.csv"},
                          Case{"Background", blinds, &SettingsForm::background, polish, polish + ".jpg"},
                          Case{"Countdown Sound", blinds, &SettingsForm::tickSound, polish, polish + ".wav"},
                          Case{"Level End Sound", blinds, &SettingsForm::endSound,
                               QString::fromUtf8("\u65E5"), QString::fromUtf8("\u65E5.wav")}}) {
        SetUp();
        tournament = TournamentRecord{};
        display = DisplayRecord{};
        if (c.choice != nullptr) {
            form.*c.choice = c.value;
        }
        EXPECT_EQ(SettingsSave::apply(form, c.blindsNames, tournament, display),
                  "The file name \"" + c.stored + "\" in \"" + c.field +
                      "\" has characters that the clock cannot keep in its settings file.\r\n\r\n"
                      "Please rename the file using only Western European letters, digits and punctuation, "
                      "then choose it again.")
            << c.field;
        EXPECT_EQ(tournament, TournamentRecord{}) << c.field;
        EXPECT_EQ(display, DisplayRecord{}) << c.field;
    }
    // Western European letters and the code page's own punctuation are kept as they are.
    SetUp();
    const QString kept = QString::fromUtf8("S\u00E4ngerfest \u2013 \u20AC");
    form.background = kept;
    ASSERT_EQ(SettingsSave::apply(form, {kept + ".blinds.csv"}, tournament, display), std::nullopt);
    EXPECT_EQ(tournament.Blinds, kept + ".blinds.csv");
    EXPECT_EQ(display.Background, kept + ".jpg");
}

} // namespace
