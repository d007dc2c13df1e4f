#include "voice/AnnouncementText.h"

#include "VoiceTestLevels.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using Kind = AnnouncementEvent::Kind;

TEST(AnnouncementTextTest, AmountsReadAsPlainNumbers)
{
    const struct
    {
        const char* caption;
        const char* spoken;
    } cases[] = {
        {"300", "300"},
        {"1.5K", "1500"},
        {"1.5k", "1500"},
        {"2K", "2000"},
        {"2.25M", "2250000"},
        {"1M", "1000000"},
        {"0.5K", "500"},
        {"1,000", "1000"},
        {"1,500,000", "1500000"},
        {"$1,000", "1000"},
        {"€ 25", "25"},
        {"1.000.000", "1000000"},
        {"2,5K", "2500"},
        {"12.5", "12.5"},
        {"-", ""},
        {"0", ""},
        {"", ""},
        {"0K", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnnouncementText::spokenAmount(QString::fromUtf8(c.caption)), QString::fromUtf8(c.spoken))
            << c.caption;
    }
}

// The structure's note for a break (a colour-up) is said with the break, and only with it.
TEST(AnnouncementTextTest, ABreakSaysItsNote)
{
    const BlindStructure blinds = voiceTestBlinds({
        {0, "100", "200", "0", 20, 10, "Colour up the 25 chips"},
        {0, "200", "400", "0", 20, 10, "Colour up the 100 and 500 chips."},
        {0, "300", "600", "0", 20, 0, "Colour up the 1000 chips"},
    });
    const AnnouncementText texts({}, 0);
    EXPECT_EQ(texts.text({Kind::BreakStart, 1}, blinds),
              "Break, 10 minutes. Chip race at the end of the break. Colour up the 25 chips.");
    EXPECT_EQ(texts.text({Kind::BreakStart, 2}, blinds),
              "Break, 10 minutes. Chip race at the end of the break. Colour up the 100 and 500 chips.");
    EXPECT_EQ(texts.text({Kind::BreakStart, 3}, blinds), "");
    EXPECT_EQ(texts.text({Kind::BreakWarning, 1}, blinds), "One minute left in the break.");
    EXPECT_EQ(texts.text({Kind::LevelStart, 2}, blinds), "Level 2. Blinds 200 and 400.");
}

TEST(AnnouncementTextTest, EachEventFromTheBlindStructure)
{
    const BlindStructure blinds = voiceTestBlinds({
        {0, "100", "200", "0", 20, 0},
        {0, "300", "600", "75", 20, 15},
        {0, "1.5K", "3K", "-", 20, 1},
        {0, "50K", "100K", "10K", 20, 0},
    });
    const AnnouncementText texts({}, 5);
    const struct
    {
        AnnouncementEvent event;
        const char* text;
    } cases[] = {
        {{Kind::LevelStart, 1}, "Level 1. Blinds 100 and 200."},
        {{Kind::LevelStart, 2}, "Level 2. Blinds 300 and 600, ante 75."},
        {{Kind::LevelStart, 3}, "Level 3. Blinds 1500 and 3000."},
        {{Kind::LevelStart, 4}, "Level 4. Blinds 50000 and 100000, ante 10000."},
        {{Kind::BreakStart, 2}, "Break, 15 minutes. Chip race at the end of the break."},
        {{Kind::BreakStart, 3}, "Break, 1 minute. Chip race at the end of the break."},
        {{Kind::BreakStart, 1}, ""},
        {{Kind::BreakWarning, 2}, "One minute left in the break."},
        {{Kind::BreakWarning, 3}, ""},
        {{Kind::BreakWarning, 1}, ""},
        {{Kind::LevelWarning, 1}, "5 minutes left in this level."},
        {{Kind::LastLevelEnd, 4}, "The last level has ended."},
        {{Kind::LevelStart, 5}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(texts.text(c.event, blinds), QString::fromUtf8(c.text))
            << int(c.event.kind) << " level " << c.event.level;
    }
    EXPECT_EQ(AnnouncementText({}, 1).text({Kind::LevelWarning, 1}, blinds),
              QStringLiteral("One minute left in this level."));
    EXPECT_EQ(AnnouncementText({}, 0).text({Kind::LevelWarning, 1}, blinds), QString());
    EXPECT_EQ(texts.sample(), QStringLiteral("Level 6. Blinds 300 and 600, ante 75."));
}

TEST(AnnouncementTextTest, ShippedEnglishFileMatchesTheBuiltInTemplates)
{
    AnnouncementTemplates shipped;
    ASSERT_TRUE(shipped.read(QStringLiteral(KAVRO_SOURCE_DIR "/data/voice/announcements-en.ini")));
    const AnnouncementTemplates builtIn;
    for (const QString& key :
         {AnnouncementTemplates::LevelStart, AnnouncementTemplates::LevelStartAnte,
          AnnouncementTemplates::BreakStart, AnnouncementTemplates::BreakStartOneMinute,
          AnnouncementTemplates::BreakWarning, AnnouncementTemplates::LevelWarning,
          AnnouncementTemplates::LevelWarningOneMinute, AnnouncementTemplates::LastLevelEnd}) {
        EXPECT_FALSE(builtIn.value(key).isEmpty()) << key.toStdString();
        EXPECT_EQ(shipped.value(key), builtIn.value(key)) << key.toStdString();
    }
}

TEST(AnnouncementTextTest, DirectorsWordingAndALanguageOfItsOwn)
{
    TempProgramFolder program;
    program.write(QStringLiteral("voice/announcements-en.ini"),
                  "[Announcements]\r\nLevel_Start_Ante=Now level {level}: {small_blind}, {big_blind}, "
                  "ante {ante}!\r\n");
    program.write(QStringLiteral("voice/announcements-de.ini"),
                  "[Announcements]\nBreak_Warning=Noch eine Minute Pause.\n; a comment\nnonsense line\n");
    const QString folder = program.programPath(QStringLiteral("voice"));

    const AnnouncementText english(AnnouncementTemplates::forVoice(folder, QStringLiteral("en-us")));
    EXPECT_EQ(english.levelStart(3, "100", "200", "25"), QStringLiteral("Now level 3: 100, 200, ante 25!"));
    // Keys the file leaves out keep the built-in wording.
    EXPECT_EQ(english.levelStart(3, "100", "200", "0"), QStringLiteral("Level 3. Blinds 100 and 200."));

    const AnnouncementText german(AnnouncementTemplates::forVoice(folder, QStringLiteral("de")));
    EXPECT_EQ(german.breakWarning(), QStringLiteral("Noch eine Minute Pause."));
    EXPECT_EQ(german.levelStart(3, "100", "200", "25"), QStringLiteral("Now level 3: 100, 200, ante 25!"));

    EXPECT_EQ(AnnouncementTemplates::fileForVoice(folder, QStringLiteral("de-ch")),
              QDir(folder).filePath(QStringLiteral("announcements-de.ini")));
    EXPECT_EQ(AnnouncementTemplates::fileForVoice(folder, QStringLiteral("fr")),
              QDir(folder).filePath(QStringLiteral("announcements-en.ini")));
    // No folder at all: the built-in English.
    EXPECT_EQ(AnnouncementText(AnnouncementTemplates::forVoice(QStringLiteral("/nonexistent"), "de"))
                  .breakWarning(),
              QStringLiteral("One minute left in the break."));
}

TEST(AnnouncementTextTest, ShippedLanguagesHaveEveryKey)
{
    const QString folder = QStringLiteral(KAVRO_SOURCE_DIR "/data/voice");
    for (const char* language : {"de", "fr"}) {
        AnnouncementTemplates own;
        ASSERT_TRUE(own.read(QDir(folder).filePath(QStringLiteral("announcements-%1.ini").arg(language))));
        const AnnouncementTemplates english;
        for (const QString& key :
             {AnnouncementTemplates::LevelStart, AnnouncementTemplates::LevelStartAnte,
              AnnouncementTemplates::BreakStart, AnnouncementTemplates::BreakWarning,
              AnnouncementTemplates::LevelWarning, AnnouncementTemplates::LastLevelEnd}) {
            EXPECT_NE(own.value(key), english.value(key)) << language << " " << key.toStdString();
        }
    }
}

} // namespace
