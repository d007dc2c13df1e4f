// The demo tournament on the clock screen at common display sizes, with the real fonts: every text that
// shows lies inside the window and clear of every other text.
#include "app/ClockApplication.h"
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
std::vector<Ink> inkOf(const QLabel* label)
{
    std::vector<Ink> result;
    const QFontMetrics metrics(label->font());
    const QStringList lines = label->text().split(u'\n');
    const QRect box = label->contentsRect().translated(label->pos());
    const Qt::Alignment align = label->alignment();
    const int blockHeight = int(lines.size()) * metrics.lineSpacing() - metrics.leading();
    const int blockTop =
        align.testFlag(Qt::AlignVCenter) ? box.top() + (box.height() - blockHeight) / 2 : box.top();
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty()) {
            continue;
        }
        const int width = metrics.horizontalAdvance(lines[i]);
        const int x = align.testFlag(Qt::AlignRight)     ? box.right() + 1 - width
                      : align.testFlag(Qt::AlignHCenter) ? box.left() + (box.width() - width) / 2
                                                         : box.left();
        const int baseline = blockTop + i * metrics.lineSpacing() + metrics.ascent();
        result.push_back({label->objectName(), metrics.tightBoundingRect(lines[i]).translated(x, baseline)});
    }
    return result;
}

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
    for (const QLabel* label : screen->findChildren<QLabel*>()) {
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

INSTANTIATE_TEST_SUITE_P(
    DisplaySizes, ScreenFitTest, testing::Values(QSize(1280, 720), QSize(1920, 1080), QSize(1024, 768)),
    [](const testing::TestParamInfo<QSize>& testCase) {
        return QStringLiteral("%1x%2").arg(testCase.param.width()).arg(testCase.param.height()).toStdString();
    });

} // namespace
