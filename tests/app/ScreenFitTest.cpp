// The demo tournament on the clock screen at common display sizes, with the real fonts: every text that
// shows lies inside the window, clear of every other text and inside the panel it is laid out on.
#include "app/ClockApplication.h"
#include "display/ClockLabel.h"
#include "display/frmClock.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct Ink
{
    QString name;
    QRect rect;
};

std::string text(const QRect& r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

// Where the label's text is drawn, line by line, in window pixels.
std::vector<Ink> inkOf(const ClockLabel* label)
{
    std::vector<Ink> result;
    const QFontMetrics metrics(label->font());
    const QStringList lines = label->text().split(u'\n');
    const QList<QPoint> origins = label->lineOrigins();
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty()) {
            continue;
        }
        result.push_back({label->objectName(),
                          metrics.tightBoundingRect(lines[i]).translated(origins.at(i) + label->pos())});
    }
    return result;
}

// The least room between a text and the edge of its panel, in twips.
constexpr double InnerMarginTwips = 50;

// The panels and the texts laid out on each.
const std::pair<ScreenElementId, std::vector<ScreenElementId>> PanelTexts[] = {
    {ScreenElementId::shpLevel, {ScreenElementId::lblLevelCaption, ScreenElementId::lblLevel}},
    {ScreenElementId::shpBlinds,
     {ScreenElementId::lblBlindsCaption, ScreenElementId::lblBlinds, ScreenElementId::lblAnteCaption,
      ScreenElementId::lblAnte}},
    {ScreenElementId::shpNext,
     {ScreenElementId::lblNextLevelCaption, ScreenElementId::lblNextLevel,
      ScreenElementId::lblNextAnteCaption, ScreenElementId::lblNextAnte}},
    {ScreenElementId::Shape2,
     {ScreenElementId::lblPrizes, ScreenElementId::lblPrizePool1, ScreenElementId::lblPrizePool2}},
    {ScreenElementId::Shape3,
     {ScreenElementId::lblTotalTimeCaption, ScreenElementId::lblTotalTime, ScreenElementId::lblBreakCaption,
      ScreenElementId::lblBreak, ScreenElementId::lblStackCaption, ScreenElementId::lblStack,
      ScreenElementId::lblPlayersCaption, ScreenElementId::lblPlayers, ScreenElementId::lblPrizeCaption,
      ScreenElementId::lblPrize}},
};

class ScreenFitTest : public testing::TestWithParam<QSize>
{
protected:
    TempProgramFolder dir;
    FakeMessageBoxes boxes;
    FakeSoundPlayer sounds;
    FakeClock clock;

    void SetUp() override
    {
        const QString db = dir.parentPath("kavro-demo.db");
        QProcess sqlite;
        sqlite.start("sqlite3", {"-bail", db, ".read '" KAVRO_SOURCE_DIR "/data/demo/manager.sql'"});
        ASSERT_TRUE(sqlite.waitForFinished(30000));
        ASSERT_EQ(sqlite.exitCode(), 0) << sqlite.readAllStandardError().toStdString();
        dir.writeParent("kavro.ini", "DATABASE=" + db.toUtf8() + "\r\nSQLSERVER=\r\n");
        dir.copySample("demo/darvel.ini", "darvel.ini");
        for (const char* file :
             {"blinds/Deepstack.blinds.csv", "background/Blue.jpg", "sounds/Count.wav", "sounds/End.wav"}) {
            dir.copySample(file, file);
        }
        dir.copySample("prize-pool.csv", "../prize-pool.csv");
    }

    // Every text on a panel keeps the design's least inner margin from its edges.
    void checkPanels();
};

TEST_P(ScreenFitTest, DemoTournamentTextsStayInsideTheWindowAndApart)
{
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    frmClock* screen = app.screen();
    ASSERT_NE(screen, nullptr);
    // Running, as the players see it: PAUSED is a notice laid over the screen on purpose.
    QKeyEvent space(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(screen, &space);
    screen->setWindowState(Qt::WindowNoState);
    screen->setGeometry(QRect(QPoint(0, 0), GetParam()));
    QApplication::processEvents();
    screen->showModel();
    ASSERT_EQ(screen->size(), GetParam());

    std::vector<Ink> inks;
    for (const ClockLabel* label : screen->findChildren<ClockLabel*>()) {
        if (label->isVisible() && label->pixmap().isNull()) {
            for (const Ink& ink : inkOf(label)) {
                inks.push_back(ink);
            }
        }
    }
    ASSERT_GT(inks.size(), 25u);
    const QRect window = screen->rect();
    for (size_t i = 0; i < inks.size(); ++i) {
        EXPECT_TRUE(window.contains(inks[i].rect))
            << inks[i].name.toStdString() << " " << text(inks[i].rect) << " cut off";
        for (size_t j = i + 1; j < inks.size(); ++j) {
            EXPECT_FALSE(inks[i].rect.intersects(inks[j].rect))
                << inks[i].name.toStdString() << " " << text(inks[i].rect) << " overlaps "
                << inks[j].name.toStdString() << " " << text(inks[j].rect);
        }
    }
}

TEST_P(ScreenFitTest, TextsOnAPanelStayInsideIt)
{
    checkPanels();
}

// The widest blinds a director types in full, with their ante.
TEST_P(ScreenFitTest, WideBlindsStayInsideTheirPanel)
{
    dir.write("blinds/Deepstack.blinds.csv", "Level,SB,BB,Ante,Min,Break\r\n"
                                             "1,250000,500000,50000,20,0\r\n"
                                             "2,1000000,2000000,250000,20,0\r\n");
    checkPanels();
}

void ScreenFitTest::checkPanels()
{
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    frmClock* screen = app.screen();
    ASSERT_NE(screen, nullptr);
    screen->setWindowState(Qt::WindowNoState);
    screen->setGeometry(QRect(QPoint(0, 0), GetParam()));
    QApplication::processEvents();
    screen->showModel();
    ASSERT_EQ(screen->size(), GetParam());

    int checked = 0;
    for (const auto& [panelId, texts] : PanelTexts) {
        const ScreenElement& panel = screen->model().element(panelId);
        const QRect box = screen->pixelRect(panel);
        // The design's smallest inner margin, the level caption's 50 twips, at this size; at least a pixel.
        const double margin = std::max(1.0, InnerMarginTwips * box.width() / panel.width);
        const int m = int(std::ceil(margin));
        for (const ScreenElementId id : texts) {
            // The design stacks the last payout line and the prize pool down to their panel's bottom
            // edge (the payout column ends exactly there; the totals column, 100 twips in and 150 apart,
            // is about as tall as the box): inside, but without a margin below.
            const bool lastInColumn = id == ScreenElementId::lblPrizePool2 ||
                                      id == ScreenElementId::lblPrize || id == ScreenElementId::lblPrizePool1;
            const QRect inside = box.adjusted(m, m, -m, lastInColumn ? 0 : -m);
            const auto* label = qobject_cast<const ClockLabel*>(screen->label(id));
            ASSERT_NE(label, nullptr) << screenElementName(id).toStdString();
            for (const Ink& ink : inkOf(label)) {
                ++checked;
                EXPECT_TRUE(inside.contains(ink.rect))
                    << ink.name.toStdString() << " " << text(ink.rect) << " is not " << std::ceil(margin)
                    << " px inside " << panel.name.toStdString() << " " << text(box);
            }
        }
    }
    EXPECT_GT(checked, 20);
}

INSTANTIATE_TEST_SUITE_P(
    DisplaySizes, ScreenFitTest, testing::Values(QSize(1280, 720), QSize(1920, 1080), QSize(1024, 768)),
    [](const testing::TestParamInfo<QSize>& testCase) {
        return QStringLiteral("%1x%2").arg(testCase.param.width()).arg(testCase.param.height()).toStdString();
    });

} // namespace
