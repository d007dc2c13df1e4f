#include "network/StateJson.h"

#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

QString text(const QJsonValue& value)
{
    return value.toString();
}

TournamentSnapshot sample()
{
    TournamentSnapshot s;
    s.title = "Friday Night Deepstack";
    s.level = 3;
    s.time = "14:59";
    s.secondsLeft = 899;
    s.paused = false;
    s.inBreak = true;
    s.playersText = "1,234";
    s.entriesText = "1,500";
    s.averageStackText = "32,500";
    s.prizePoolText = "$4,100";
    s.timeToBreak = "42:00";
    s.timePlayed = "01:20";
    s.blindsText = "100/200";
    s.anteText = "25";
    s.nextBlindsText = "150/300";
    s.nextAnteText = "50";
    s.payouts = {{"1st", "$2,000"}, {"2nd", "$1,200"}, {"3-4", "$450"}};
    return s;
}

} // namespace

TEST(StateJson, EveryFieldComesFromTheSnapshotUnderItsName)
{
    const QJsonObject state = StateJson::fromSnapshot(sample(), {});
    const std::pair<const char*, const char*> fields[] = {
        {"title", "Friday Night Deepstack"},
        {"time", "14:59"},
        {"level", "3"},
        {"blinds", "100/200"},
        {"ante", "25"},
        {"next_blinds", "150/300"},
        {"next_ante", "50"},
        {"players", "1,234"},
        {"entries", "1,500"},
        {"average_stack", "32,500"},
        {"prize_pool", "$4,100"},
        {"time_to_break", "42:00"},
        {"total_time", "01:20"},
    };
    for (const auto& [name, value] : fields) {
        EXPECT_EQ(text(state[name]), value) << name;
    }
    EXPECT_FALSE(state["paused"].toBool());
    EXPECT_TRUE(state["break"].toBool());
}

TEST(StateJson, PayoutsListEveryLineOfTheSnapshotInItsOrder)
{
    const QJsonArray payouts = StateJson::fromSnapshot(sample(), {})["payouts"].toArray();
    ASSERT_EQ(payouts.size(), 3);
    EXPECT_EQ(text(payouts[2].toObject()["place"]), "3-4");
    EXPECT_EQ(text(payouts[2].toObject()["amount"]), "$450");
    EXPECT_TRUE(StateJson::fromSnapshot(TournamentSnapshot{}, {})["payouts"].toArray().isEmpty());
}

TEST(StateJson, TheEstimatedEndAndTheColourUpOrNull)
{
    TournamentSnapshot s = sample();
    QJsonObject state = StateJson::fromSnapshot(s, {});
    EXPECT_TRUE(state["estimated_end"].isNull());
    EXPECT_TRUE(state["colour_up"].isNull());
    s.estimatedEnd = EstimatedEnd{14, 2 * 3600 + 35 * 60};
    s.colourUp = "Colour up the 25 chips";
    state = StateJson::fromSnapshot(s, {});
    EXPECT_EQ(state["estimated_end"].toObject()["level"].toInt(), 14);
    EXPECT_EQ(text(state["estimated_end"].toObject()["in"]), "2:35");
    EXPECT_EQ(text(state["colour_up"]), "Colour up the 25 chips");
}

TEST(StateJson, TheScreenPartJoinsTheValues)
{
    const QJsonObject screen{{"screen", QJsonObject{{"width", 18075}}},
                             {"colours", QJsonObject{{"digits", "#ffff80"}}},
                             {"paused_text", "PAUSED"},
                             {"break_text", "BREAK"}};
    const QJsonObject state = StateJson::fromSnapshot(sample(), screen);
    EXPECT_EQ(state["screen"].toObject()["width"].toInt(), 18075);
    EXPECT_EQ(text(state["colours"].toObject()["digits"]), "#ffff80");
    EXPECT_EQ(text(state["paused_text"]), "PAUSED");
    EXPECT_EQ(text(state["break_text"]), "BREAK");
    EXPECT_EQ(text(state["title"]), "Friday Night Deepstack");
}
