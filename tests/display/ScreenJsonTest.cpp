#include "display/ScreenJson.h"

#include "core/ClockScreenModel.h"
#include "support/FixedTextMeasurer.h"

#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>

TEST(ScreenJson, CarriesTheSchemeColoursTheArrangementAndTheNoticeWords)
{
    FixedTextMeasurer measurer;
    ClockScreenModel model(measurer);
    model.setBackColour(RgbColour{0, 0, 128});
    model.setForeColour(timerId(0), RgbColour{255, 255, 128});
    model.setVisible(ScreenElementId::lblBreakNotice, false);

    const QJsonObject part = ScreenJson::fromModel(model);
    const QJsonObject colours = part["colours"].toObject();
    EXPECT_EQ(colours["background"].toString(), "#000080");
    EXPECT_EQ(colours["digits"].toString(), "#ffff80");
    EXPECT_EQ(part["paused_text"].toString(), "PAUSED");
    EXPECT_EQ(part["break_text"].toString(), "BREAK");

    const QJsonObject screen = part["screen"].toObject();
    EXPECT_EQ(screen["width"].toInt(), model.screenWidth());
    // The pages scale twips with the clock's own unit, not a copy of it.
    EXPECT_EQ(screen["twips_per_pixel"].toInt(), 15);
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
