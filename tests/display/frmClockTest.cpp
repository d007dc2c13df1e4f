#include "display/frmClock.h"

#include "display/ScreenFollower.h"
#include "support/ClockWindowFixture.h"
#include "support/EventLoopWait.h"
#include "support/FileSizeLimit.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

class frmClockTest : public ClockWindowFixture
{
protected:
    int settingsOpened = 0;
    bool pausedInSettings = false;

    void SetUp() override { openCounting(); }

    // The window with a three-level structure, counting settings openings.
    void openCounting(const std::function<void(ClockScreenContext&)>& adjust = {})
    {
        state.Tournament.Players = 200;
        state.Tournament.Entries = 200;
        folder.write("blinds/test.BLINDS.csv", "Level,SB,BB,Ante,Min,Break\r\n"
                                               "1,25,50,0,20,0\r\n"
                                               "2,50,100,0,20,10\r\n"
                                               "3,100,200,25,20,0\r\n");
        open([&](ClockScreenContext& context) {
            context.hooks.openSettings = [this] {
                ++settingsOpened;
                pausedInSettings = window->model().isVisible(ScreenElementId::lblPaused);
            };
            if (adjust) {
                adjust(context);
            }
        });
    }

    QString text(const QString& name)
    {
        const QLabel* label = window->findChild<QLabel*>(name);
        return label ? label->text() : QStringLiteral("<no %1>").arg(name);
    }
    bool shown(const char* name) { return window->findChild<QLabel*>(name)->isVisible(); }
    QString digits()
    {
        QString result;
        for (int i = 0; i < 5; ++i) {
            result += text(QStringLiteral("lblTimer%1").arg(i));
        }
        return result;
    }
    void release(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(window.get(), &event);
    }
    void moveTo(QPointF at)
    {
        QMouseEvent event(QEvent::MouseMove, at, window->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(window.get(), &event);
    }
    void seconds(int count)
    {
        for (int i = 0; i < count; ++i) {
            monotonic.advance(1000);
            window->clockTicked();
        }
    }
};

TEST_F(frmClockTest, ComesUpMaximisedAndPausedWithTheLevelsFullTime)
{
    EXPECT_EQ(window->windowTitle(), QString("Darvel"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->windowState().testFlag(Qt::WindowMaximized));
    for (const ScreenElement& e : window->model().elements()) {
        if (e.kind != ScreenElement::Kind::Shape) {
            EXPECT_NE(window->findChild<QLabel*>(e.name), nullptr) << e.name.toStdString();
        }
    }
    EXPECT_EQ(window->findChild<QLabel*>("lblTimer3")->property("index").toInt(), 3);
    EXPECT_EQ(digits(), QString("20:00"));
    EXPECT_TRUE(shown("lblPaused"));
    EXPECT_FALSE(shown("lblBreakNotice"));
    EXPECT_FALSE(shown("imgLogo")) << "no logo.jpg";
    EXPECT_FALSE(shown("lblSetup"));
    EXPECT_EQ(text("lblBlinds"), QString("25/50"));
    EXPECT_EQ(text("lblNextLevel"), QString("50/100"));
    EXPECT_EQ(text("lblBreak"), QString("00:40"));
    // The window works out its statistics and payouts itself; this folder has no payout template.
    EXPECT_EQ(text("lblPlayers"), QString("200/200"));
    EXPECT_EQ(text("lblPrizePool1"), QString("1st"));
    // Laid out at 150 pt in the first window, then scaled with the window's height.
    EXPECT_NEAR(window->findChild<QLabel*>("lblTimer0")->font().pointSizeF(),
                150.0 * window->model().screenHeight() / ClockScreenModel::DesignHeight, 0.01);
    EXPECT_EQ(window->findChild<QLabel*>("lblTimer0")->font().family(), QString("Tahoma"));

    seconds(3);
    EXPECT_EQ(digits(), QString("20:00")) << "paused until Space";
}

TEST_F(frmClockTest, SpaceStartsTheClockAndStalledSecondsAreCaughtUp)
{
    release(Qt::Key_Space);
    EXPECT_FALSE(shown("lblPaused"));
    seconds(1);
    EXPECT_EQ(digits(), QString("19:59"));
    monotonic.advance(3500); // a busy event loop
    window->clockTicked();
    EXPECT_EQ(digits(), QString("19:56"));
    release(Qt::Key_Space);
    EXPECT_TRUE(shown("lblPaused"));
    seconds(2);
    EXPECT_EQ(digits(), QString("19:56"));
}

TEST_F(frmClockTest, KeypadKeysCountAndMainKeyboardKeysDoNot)
{
    window->model().setCaption(ScreenElementId::lblPlayers, "200/200");
    release(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(text("lblPlayers"), QString("199/200"));
    EXPECT_EQ(state.Tournament.Players, 199);
    release(Qt::Key_Plus);
    release(Qt::Key_Minus);
    release(Qt::Key_6);
    release(Qt::Key_5);
    release(Qt::Key_Asterisk);
    EXPECT_EQ(text("lblPlayers"), QString("199/200"));
    EXPECT_EQ(state.Tournament.Players, 199);
    EXPECT_EQ(state.Tournament.Rebuys, 0);
    EXPECT_EQ(state.Tournament.Addons, 0);

    release(Qt::Key_6, Qt::KeypadModifier);
    release(Qt::Key_Right, Qt::KeypadModifier);
    release(Qt::Key_Right);
    EXPECT_EQ(state.Tournament.Rebuys, 3);
    release(Qt::Key_5, Qt::KeypadModifier);
    release(Qt::Key_Clear, Qt::KeypadModifier);
    EXPECT_EQ(state.Tournament.Addons, 2);
}

TEST_F(frmClockTest, AutoRepeatReleasesAreIgnored)
{
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_F8, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(window.get(), &repeat);
    EXPECT_EQ(state.Tournament.Entries, 200);
    release(Qt::Key_F8);
    EXPECT_EQ(state.Tournament.Entries, 201);
}

TEST_F(frmClockTest, TimeKeysRedrawTheDigitsWhilePaused)
{
    release(Qt::Key_F9);
    EXPECT_EQ(digits(), QString("19:00"));
    release(Qt::Key_F12);
    EXPECT_EQ(digits(), QString("19:00"));
    release(Qt::Key_F10);
    EXPECT_EQ(digits(), QString("20:00"));
    release(Qt::Key_F6);
    EXPECT_EQ(text("lblLevel"), QString("2"));
    EXPECT_EQ(text("lblTotalTime"), QString("00:20"));
    EXPECT_TRUE(shown("lblPaused"));
}

TEST_F(frmClockTest, ExitQuestionNoKeepsRunningYesClosesPaused)
{
    release(Qt::Key_Space);
    boxes.answers = {false};
    bool pausedWhileAsking = false;
    boxes.whileOpen = [&] { pausedWhileAsking = window->model().isVisible(ScreenElementId::lblPaused); };
    EXPECT_FALSE(window->close());
    EXPECT_EQ(boxes.questions, QStringList{"Are you sure that you want to exit KAVRO Clock?"});
    EXPECT_TRUE(pausedWhileAsking);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(shown("lblPaused"));
    EXPECT_TRUE(window->clockTick().isActive());

    boxes.answers = {true};
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->clockTick().isActive());
    EXPECT_TRUE(window->model().isVisible(ScreenElementId::lblPaused));
}

TEST_F(frmClockTest, CloseButtonSavesTheStateBeforeAsking)
{
    folder.write("darvel.ini", ";\r\n");
    state.Tournament.Time = "12:34";
    boxes.answers = {false};
    QLabel* closeButton = window->findChild<QLabel*>("lblClose");
    QMouseEvent click(QEvent::MouseButtonRelease, QPointF(2, 2), closeButton->mapToGlobal(QPointF(2, 2)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(closeButton, &click);
    EXPECT_EQ(boxes.questions.size(), 1);
    EXPECT_TRUE(folder.read("darvel.ini").contains("Time=12:34"));
}

TEST_F(frmClockTest, EveryCloseSavesTheKeysBeforeAsking)
{
    struct Case
    {
        const char* name;
        std::function<void(frmClock&)> close;
    };
    const Case cases[] = {
        {"Close button",
         [](frmClock& w) {
             QLabel* button = w.findChild<QLabel*>("lblClose");
             QMouseEvent click(QEvent::MouseButtonRelease, QPointF(2, 2), button->mapToGlobal(QPointF(2, 2)),
                               Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
             QApplication::sendEvent(button, &click);
         }},
        {"window manager", [](frmClock& w) { w.close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.write("darvel.ini", ";\r\n");
        state.Tournament.Time = "--:--";
        openCounting();
        boxes.questions.clear();
        release(Qt::Key_F8);
        release(Qt::Key_F8);
        release(Qt::Key_F9);
        boxes.answers = {true};
        c.close(*window);
        EXPECT_EQ(boxes.questions, QStringList{"Are you sure that you want to exit KAVRO Clock?"});
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(window->settingsSaved());
        const QByteArray saved = folder.read("darvel.ini");
        EXPECT_TRUE(saved.contains("\r\nEntries=202\r\n")) << saved.toStdString();
        EXPECT_TRUE(saved.contains("\r\nTime=19:00\r\n")) << saved.toStdString();
        EXPECT_EQ(saved.count("\r\n"), 34);
    }
}

TEST_F(frmClockTest, FailedSaveIsInTheExitQuestionWhoseNoKeepsTheClockRunning)
{
    release(Qt::Key_Space);
    state.Tournament.Title = QString(2000, u'x'); // more than the disk takes
    boxes.answers = {false};
    {
        const FileSizeLimit fullDisk(500);
        ASSERT_TRUE(fullDisk.active());
        EXPECT_FALSE(window->close());
    }
    ASSERT_EQ(boxes.questions.size(), 1);
    const QString question = boxes.questions[0];
    EXPECT_EQ(boxes.questionIcons[0], MessageBoxes::Icon::Warning);
    EXPECT_TRUE(
        question.startsWith("Cannot write " + QDir::toNativeSeparators(folder.programPath("darvel.ini"))))
        << question.toStdString();
    EXPECT_TRUE(question.contains("File too large")) << question.toStdString();
    EXPECT_TRUE(question.contains("No keeps the clock running"));
    EXPECT_TRUE(question.endsWith("Are you sure that you want to exit KAVRO Clock?"));
    EXPECT_TRUE(boxes.shown.isEmpty()); // one box, not an error and then the question
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(shown("lblPaused"));
    EXPECT_FALSE(window->settingsSaved());

    boxes.answers = {true};
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(window->settingsSaved()); // the disk has room again
}

TEST_F(frmClockTest, PointerCornerShowsTheButtonsAndAnIdlePointerHides)
{
    const QPointF corner(window->width() - 3, 3);
    moveTo(corner);
    EXPECT_TRUE(shown("lblSetup"));
    EXPECT_TRUE(shown("lblClose"));
    moveTo(QPointF(window->width() / 2.0, window->height() / 2.0));
    EXPECT_FALSE(shown("lblSetup"));

    release(Qt::Key_Space);
    seconds(5);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    moveTo(QPointF(window->width() / 3.0, window->height() / 2.0));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(frmClockTest, SetupButtonOpensTheSettingsWithTheClockPaused)
{
    release(Qt::Key_Space);
    moveTo(QPointF(window->width() - 3, 3));
    QLabel* setup = window->findChild<QLabel*>("lblSetup");
    QMouseEvent click(QEvent::MouseButtonRelease, QPointF(2, 2), setup->mapToGlobal(QPointF(2, 2)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(setup, &click);
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_TRUE(pausedInSettings);
    EXPECT_FALSE(shown("lblPaused"));
    EXPECT_FALSE(shown("lblSetup"));
}

TEST_F(frmClockTest, LogoShowsWhenTheProgramFolderHasOne)
{
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(folder.programPath("Logo.JPG"), "JPG"));
    openCounting();
    EXPECT_TRUE(shown("imgLogo"));
    EXPECT_FALSE(window->findChild<QLabel*>("imgLogo")->pixmap().isNull());
}

TEST_F(frmClockTest, ScreenSaverIsOffWhileTheClockRunsAndBackOnAfterExit)
{
    QList<bool> switched;
    openCounting([&](ClockScreenContext& context) {
        context.isScreenSaverActive = [] { return true; };
        context.setScreenSaverActive = [&](bool active) { switched.append(active); };
    });
    EXPECT_TRUE(window->ScreenSaverWasActive);
    EXPECT_EQ(switched, QList<bool>{false});
    boxes.answers = {false, true};
    window->close();
    EXPECT_EQ(switched, QList<bool>{false});
    window->close();
    EXPECT_EQ(switched, (QList<bool>{false, true}));
}

} // namespace

namespace {

// The layout is measured in Tahoma bold; a fallback font would put every element elsewhere.
TEST_F(frmClockTest, TextIsDrawnInTahomaBold)
{
    for (const char* name : {"lblTitle", "lblTimer0", "lblBlinds", "lblPlayers", "lblPaused"}) {
        const QLabel* label = window->findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->fontInfo().family(), "Tahoma") << name;
        EXPECT_TRUE(label->fontInfo().bold()) << name;
    }
}

// A resize scales every text; the blinds panels are then fitted around their texts again, with the same
// margins as when a level starts, instead of waiting for the next level.
TEST_F(frmClockTest, AfterAResizeTheBlindsLieInsideTheirPanels)
{
    using Id = ScreenElementId;
    for (const QSize size : {QSize(1920, 1080), QSize(1024, 768), QSize(1280, 720), QSize(3840, 2160)}) {
        window->setWindowState(Qt::WindowNoState);
        window->setGeometry(QRect(QPoint(0, 0), size));
        QApplication::processEvents();
        ASSERT_EQ(window->size(), size);
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());

        const ScreenElement& blindsPanel = at(Id::shpBlinds);
        EXPECT_EQ(at(Id::lblBlindsCaption).left, blindsPanel.left + 250);
        EXPECT_EQ(at(Id::lblBlinds).left + at(Id::lblBlinds).width,
                  blindsPanel.left + blindsPanel.width - 250);
        for (const auto& [panel, texts] :
             {std::pair{Id::shpBlinds,
                        std::vector{Id::lblBlindsCaption, Id::lblBlinds, Id::lblAnteCaption, Id::lblAnte}},
              std::pair{Id::shpNext, std::vector{Id::lblNextLevelCaption, Id::lblNextLevel,
                                                 Id::lblNextAnteCaption, Id::lblNextAnte}}}) {
            const ScreenElement& box = at(panel);
            for (const Id id : texts) {
                const ScreenElement& e = at(id);
                EXPECT_GE(e.left, box.left) << e.name.toStdString();
                EXPECT_LE(e.left + e.width, box.left + box.width) << e.name.toStdString();
            }
        }
        EXPECT_EQ(at(Id::shpNext).left, blindsPanel.left);
        EXPECT_EQ(at(Id::shpNext).width, blindsPanel.width);
    }
}

// A new title is centred and a new level number keeps its right edge where they change; a later resize
// scales them from there, not from where the old texts stood when the sizer took its record.
TEST_F(frmClockTest, ATextChangedAfterTheRecordKeepsItsAlignmentThroughResizes)
{
    using Id = ScreenElementId;
    const auto resize = [&](QSize size) {
        window->setWindowState(Qt::WindowNoState);
        window->setGeometry(QRect(QPoint(0, 0), size));
        QApplication::processEvents();
        ASSERT_EQ(window->size(), size);
    };
    resize(QSize(1920, 1080));
    for (const QString& title :
         {QStringLiteral("A much longer title than the first one ever was"), QStringLiteral("Short")}) {
        window->setCaption(Id::lblTitle, title);
        window->SetBlind(title.size() > 10 ? 3 : 1);
        for (const QSize size : {QSize(1280, 720), QSize(1920, 1080), QSize(1024, 768)}) {
            resize(size);
            SCOPED_TRACE(
                QStringLiteral("%1 at %2x%3").arg(title).arg(size.width()).arg(size.height()).toStdString());
            const ScreenElement& shown = at(Id::lblTitle);
            // The text's width follows its font, scaled with the height, and its hinting: a long text
            // is a pixel or two wider or narrower than its scaled width.
            const int twipsPerPixel = 15;
            EXPECT_NEAR(shown.left + shown.width / 2, window->model().screenWidth() / 2,
                        3 * twipsPerPixel + shown.width / 100);
            const ScreenElement& level = at(Id::lblLevel);
            const ScreenElement& panel = at(Id::shpLevel);
            EXPECT_NEAR(level.left + level.width, panel.left + panel.width, 3 * twipsPerPixel);
        }
    }
}

} // namespace

TEST_F(frmClockTest, FillsItsScreenAgainWhenScreensComeGoOrChangeSize)
{
    QScreen* display = window->windowHandle()->screen();
    ASSERT_NE(display, nullptr);
    const QRect full = display->availableGeometry();
    auto* app = qApp;
    struct Case
    {
        const char* what;
        std::function<void()> signal;
    };
    const std::vector<Case> cases{
        {"the screen's size", [&] { emit display->geometryChanged(full); }},
        {"the screen's free area", [&] { emit display->availableGeometryChanged(full); }},
        {"a screen plugged in", [&] { emit app->screenAdded(display); }},
        {"another primary screen", [&] { emit app->primaryScreenChanged(display); }},
    };
    release(Qt::Key_Space);
    QApplication::processEvents();
    const double digitPoints = window->label(ScreenElementId::lblTimer0)->font().pointSizeF();
    for (const Case& c : cases) {
        // Where a screen that went away and came back smaller leaves the window.
        window->setGeometry(QRect(full.topLeft(), full.size() / 2));
        QApplication::processEvents();
        ASSERT_NE(window->geometry(), full) << c.what;
        c.signal();
        EXPECT_TRUE(runEventsUntil([&] { return window->geometry() == full; })) << c.what;
        EXPECT_TRUE(window->windowState().testFlag(Qt::WindowMaximized)) << c.what;
        EXPECT_NEAR(window->label(ScreenElementId::lblTimer0)->font().pointSizeF(), digitPoints,
                    digitPoints / 100)
            << c.what << ": laid out for the screen's size again";
    }
    const QString running = digits();
    seconds(2);
    EXPECT_NE(digits(), running) << "the clock kept time";
    EXPECT_TRUE(window->clockTick().isActive());
}

TEST_F(frmClockTest, AWindowWhoseScreenIsGoneFillsThePrimaryOne)
{
    EXPECT_EQ(ScreenFollower::targetScreen(window->windowHandle()), QGuiApplication::primaryScreen());
    EXPECT_EQ(ScreenFollower::targetScreen(nullptr), QGuiApplication::primaryScreen());
}
