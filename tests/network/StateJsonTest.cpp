#include "network/StateJson.h"

#include "core/ClockScreenModel.h"
#include "support/FixedTextMeasurer.h"

#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

QString text(const QJsonValue& value)
{
    return value.toString();
}

} // namespace

TEST(StateJson, ReadsEveryFieldFromTheScreenAsShown)
{
    FixedTextMeasurer measurer;
    ClockScreenModel model(measurer);
    model.setCaption(ScreenElementId::lblTitle, "Friday Night Deepstack");
    const QStringList digits{"1", "4", ":", "5", "9"};
    for (int i = 0; i < digits.size(); ++i) {
        model.setCaption(timerId(i), digits[i]);
    }
    model.setCaption(ScreenElementId::lblLevel, "3");
    model.setCaption(ScreenElementId::lblBlinds, "100/200");
    model.setCaption(ScreenElementId::lblAnte, "25");
    model.setCaption(ScreenElementId::lblNextLevel, "150/300");
    model.setCaption(ScreenElementId::lblNextAnte, "50");
    model.setCaption(ScreenElementId::lblPlayers, "1,234/1,500");
    model.setCaption(ScreenElementId::lblStack, "32,500");
    model.setCaption(ScreenElementId::lblPrize, "$4,100");
    model.setCaption(ScreenElementId::lblBreak, "42:00");
    model.setVisible(ScreenElementId::lblPaused, false);
    model.setVisible(ScreenElementId::lblBreakNotice, true);

    const QJsonObject state = StateJson::fromModel(model);
    EXPECT_EQ(text(state["title"]), "Friday Night Deepstack");
    EXPECT_EQ(text(state["time"]), "14:59");
    EXPECT_EQ(text(state["level"]), "3");
    EXPECT_EQ(text(state["blinds"]), "100/200");
    EXPECT_EQ(text(state["ante"]), "25");
    EXPECT_EQ(text(state["next_blinds"]), "150/300");
    EXPECT_EQ(text(state["next_ante"]), "50");
    EXPECT_EQ(text(state["players"]), "1,234");
    EXPECT_EQ(text(state["entries"]), "1,500");
    EXPECT_EQ(text(state["average_stack"]), "32,500");
    EXPECT_EQ(text(state["prize_pool"]), "$4,100");
    EXPECT_EQ(text(state["time_to_break"]), "42:00");
    EXPECT_FALSE(state["paused"].toBool());
    EXPECT_TRUE(state["break"].toBool());
    EXPECT_TRUE(state["payouts"].isArray());

    model.setVisible(ScreenElementId::lblPaused, true);
    EXPECT_TRUE(StateJson::fromModel(model)["paused"].toBool());
}

TEST(StateJson, CarriesTheSchemeColoursAndTheScreenArrangement)
{
    FixedTextMeasurer measurer;
    ClockScreenModel model(measurer);
    model.setBackColour(RgbColour{0, 0, 128});
    model.setForeColour(timerId(0), RgbColour{255, 255, 128});
    model.setVisible(ScreenElementId::lblBreakNotice, false);

    const QJsonObject state = StateJson::fromModel(model);
    const QJsonObject colours = state["colours"].toObject();
    EXPECT_EQ(text(colours["background"]), "#000080");
    EXPECT_EQ(text(colours["digits"]), "#ffff80");

    const QJsonObject screen = state["screen"].toObject();
    EXPECT_EQ(screen["width"].toInt(), model.screenWidth());
    QStringList names;
    for (const QJsonValue& e : screen["elements"].toArray()) {
        names.append(e.toObject()["name"].toString());
    }
    EXPECT_TRUE(names.contains("lblBlinds"));
    EXPECT_TRUE(names.contains("shpBlinds"));
    // Hidden elements, the logo and the command buttons stay at the clock.
    EXPECT_FALSE(names.contains("lblBreakNotice"));
    EXPECT_FALSE(names.contains("imgLogo"));
    EXPECT_FALSE(names.contains("lblClose"));
}

TEST(StateJson, PayoutsComeInPlaceOrderEachOnceWhateverTheRotation)
{
    struct Case
    {
        const char* places;
        const char* amounts;
        QStringList expectedPlaces;
        QStringList expectedAmounts;
    };
    const Case cases[] = {
        {"", "", {}, {}},
        {"1st", "$100", {"1st"}, {"$100"}},
        {"1st\r\n2nd\r\n3rd", "$500\r\n$300\r\n$200", {"1st", "2nd", "3rd"}, {"$500", "$300", "$200"}},
        // The box moved on: after 1st it shows 5th.. and wraps back to 2nd, with a group of equal places.
        {"1st\r\n5th\r\n6-8\r\n9th\r\n10th\r\n2nd\r\n3rd\r\n4th\r\n5th\r\n",
         "$1,230\r\n$330\r\n$250\r\n$200\r\n$150\r\n$700\r\n$500\r\n$390\r\n$330\r\n",
         {"1st", "2nd", "3rd", "4th", "5th", "6-8", "9th", "10th"},
         {"$1,230", "$700", "$500", "$390", "$330", "$250", "$200", "$150"}},
    };
    for (const Case& c : cases) {
        const QJsonArray payouts = StateJson::payouts(c.places, c.amounts);
        QStringList places;
        QStringList amounts;
        for (const QJsonValue& line : payouts) {
            places.append(line.toObject()["place"].toString());
            amounts.append(line.toObject()["amount"].toString());
        }
        EXPECT_EQ(places, c.expectedPlaces) << c.places;
        EXPECT_EQ(amounts, c.expectedAmounts) << c.places;
    }
}
