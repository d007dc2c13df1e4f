#include "display/frmHelp.h"

#include "support/QtPrinters.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QStringList texts(const QWidget& window)
{
    QStringList all;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        all << label->text();
    }
    return all;
}

TEST(HelpScreen, CaptionTitleAndVersion)
{
    frmHelp help;
    EXPECT_EQ(help.windowTitle(), "Help");
    EXPECT_TRUE(texts(help).contains("Clock Help"));
    const QLabel* version = help.findChild<QLabel*>("lblVer");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), KAVRO_EXPECTED_VERSION);
    EXPECT_EQ(frmHelp::VersionText(2, 4, 17), "2.4.17");
    EXPECT_EQ(frmHelp::VersionText(3, 0, 0), "3.0.0"); // the revision shows even when 0
}

TEST(HelpScreen, ListsEveryEighteenKeysWithTheirTexts)
{
    frmHelp help;
    const QStringList shown = texts(help);
    int bindings = 0;
    for (const frmHelp::KeyRow& row : frmHelp::keyRows()) {
        for (const QString& text : {row.leftKey, row.leftText, row.rightKey, row.rightText}) {
            if (!text.isEmpty()) {
                EXPECT_TRUE(shown.contains(text)) << text.toStdString();
            }
        }
        bindings += row.rightKey.isEmpty() ? 1 : 2;
    }
    EXPECT_EQ(bindings, 18);
    EXPECT_TRUE(shown.contains("Show/hide the players' view QR code"));
    EXPECT_TRUE(shown.contains("Increase entries by 1"));
    EXPECT_TRUE(shown.contains("Start/Stop clock"));
    EXPECT_TRUE(shown.contains("Change settings"));
}

TEST(HelpScreen, KeysStandInTwoColumnsOfRows)
{
    frmHelp help;
    const auto at = [&](const QString& text) {
        for (const QLabel* label : help.findChildren<QLabel*>()) {
            if (label->text() == text) {
                return label->pos();
            }
        }
        return QPoint(-1, -1);
    };
    EXPECT_EQ(at("F1"), QPoint(40, 64));
    EXPECT_EQ(at("F2"), QPoint(224, 64));
    EXPECT_EQ(at("Help"), QPoint(96, 64));
    EXPECT_EQ(at("Change settings"), QPoint(280, 64));
    EXPECT_EQ(at("F6").y(), 64 + 7 * 24);
    EXPECT_EQ(at("Space").y(), 272);
    EXPECT_EQ(at("F3").y(), 272 + 24);
}

TEST(HelpScreen, OkClosesIt)
{
    frmHelp help;
    help.show();
    auto* ok = help.findChild<QPushButton*>("Command1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "&OK");
    ok->click();
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(help.result(), QDialog::Accepted);
}

} // namespace
