#include "ClockFixture.h"

namespace {

class ScreenCommandsTest : public ClockFixture
{
protected:
    void SetUp() override
    {
        addLevel(25, 50, 0, 20);
        state.Tournament.Level = 1;
        create();
    }
    ScreenCommands& commands() { return logic->commands; }
};

TEST_F(ScreenCommandsTest, ExitQuestionNoKeepsARunningClockRunning)
{
    run();
    bool pausedWhileAsking = false;
    boxes.whileOpen = [&] { pausedWhileAsking = clock().isPaused(); };
    boxes.answers = {false};
    EXPECT_FALSE(commands().confirmExit());
    EXPECT_EQ(boxes.questions, QStringList{"Are you sure that you want to exit KAVRO Clock?"});
    EXPECT_TRUE(pausedWhileAsking);
    EXPECT_FALSE(clock().isPaused());
    tick();
    EXPECT_EQ(digits(), QString("19:59"));
}

TEST_F(ScreenCommandsTest, ExitQuestionYesLeavesTheClockPaused)
{
    run();
    boxes.answers = {true};
    EXPECT_TRUE(commands().confirmExit());
    EXPECT_TRUE(clock().isPaused());
    tick(5);
    EXPECT_EQ(digits(), QString("20:00"));
}

TEST_F(ScreenCommandsTest, ExitQuestionNoKeepsAPausedClockPaused)
{
    boxes.answers = {false};
    EXPECT_FALSE(commands().confirmExit());
    EXPECT_TRUE(clock().isPaused());
}

TEST_F(ScreenCommandsTest, CommandButtonsSitInTheTopRightCorner)
{
    const int inner = screen().screenWidth();
    const ScreenElement& close = screen().element(ScreenElementId::lblClose);
    const ScreenElement& setup = screen().element(ScreenElementId::lblSetup);
    const ScreenElement& help = screen().element(ScreenElementId::lblHelp);
    const ScreenElement& backdrop = screen().element(ScreenElementId::shpButton);
    EXPECT_EQ(close.left, inner - 420);
    EXPECT_EQ(setup.left, close.left - 370);
    EXPECT_EQ(help.left, setup.left - 370);
    EXPECT_EQ(help.top, 60);
    EXPECT_EQ(backdrop.width, inner - help.left + 100);
    EXPECT_EQ(backdrop.height, 390);
    EXPECT_EQ(backdrop.left + backdrop.width, inner);
    EXPECT_FALSE(backdrop.visible);
}

TEST_F(ScreenCommandsTest, PointerStripShowsAndHidesTheButtons)
{
    const ScreenElement& backdrop = screen().element(ScreenElementId::shpButton);
    commands().pointerMoved(float(backdrop.left + 1), 100);
    for (const ScreenElementId name : {ScreenElementId::shpButton, ScreenElementId::lblClose,
                                       ScreenElementId::lblSetup, ScreenElementId::lblHelp}) {
        EXPECT_TRUE(visible(name)) << name;
    }
    commands().pointerMoved(float(backdrop.left + 1), float(backdrop.height));
    EXPECT_FALSE(visible(ScreenElementId::lblClose));
    commands().pointerMoved(float(backdrop.left), 100);
    EXPECT_FALSE(visible(ScreenElementId::lblClose)) << "the strip starts right of the backdrop's edge";
}

TEST_F(ScreenCommandsTest, FirstMovementOnlyRecordsThePosition)
{
    clock().mouseHidden = true;
    commands().pointerMoved(300, 400);
    EXPECT_TRUE(mouseShown.isEmpty());
    EXPECT_EQ(commands().LastPointerX, 300);
    commands().pointerMoved(300, 400);
    EXPECT_TRUE(mouseShown.isEmpty()) << "no movement";
    commands().pointerMoved(301, 400);
    EXPECT_EQ(mouseShown, QList<bool>{true});
    EXPECT_EQ(clock().mouseHideCounter, 5);
}

TEST_F(ScreenCommandsTest, SettingsClickShowsThePointerAndHidesTheButtons)
{
    run();
    clock().mouseHidden = true;
    commands().pointerMoved(float(screen().screenWidth() - 5), 10);
    logic->settingsClicked();
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_EQ(mouseShown, QList<bool>{true});
    EXPECT_FALSE(visible(ScreenElementId::shpButton));
    EXPECT_FALSE(visible(ScreenElementId::lblSetup));
    EXPECT_FALSE(clock().isPaused());
}

TEST_F(ScreenCommandsTest, DesignCaptionsAndVisibility)
{
    EXPECT_TRUE(visible(ScreenElementId::lblPaused));
    EXPECT_EQ(caption(ScreenElementId::lblPaused), QString("PAUSED"));
    EXPECT_FALSE(visible(ScreenElementId::lblBreakNotice));
    EXPECT_EQ(caption(ScreenElementId::lblBreakNotice), QString("BREAK"));
    EXPECT_EQ(caption(ScreenElementId::lblSetup), QString(" S "));
    EXPECT_EQ(screen().element(ScreenElementId::lblHelp).toolTip, QString("Help"));
    EXPECT_EQ(screen().element(ScreenElementId::lblPaused).width, 7245);
    EXPECT_TRUE(screen().element(ScreenElementId::shpBlinds).rounded);
    EXPECT_FALSE(screen().element(ScreenElementId::Shape2).rounded);
    EXPECT_EQ(screen().names().size(), 42); // 34 labels, the logo and 7 panels
    // PAUSED sits 300 below the design digits, centred
    const ScreenElement& paused = screen().element(ScreenElementId::lblPaused);
    EXPECT_EQ(paused.top, 1800 + 180 * 24 + 300);
    EXPECT_EQ(paused.left, screen().screenWidth() / 2 - 7245 / 2);
}

} // namespace
