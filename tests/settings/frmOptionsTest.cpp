// The options dialog driven as the director would: fields from options.ini, OK saves, "Test" speaks.
#include "settings/frmOptions.h"

#include "support/FakeMessageBoxes.h"
#include "support/TempProgramFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class frmOptionsTest : public testing::Test
{
protected:
    TempProgramFolder program;
    FakeMessageBoxes boxes;
    QString folder() const { return program.folders().Program; }

    template <typename T> static T* field(QWidget& dialog, const char* name)
    {
        auto* widget = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
};

TEST_F(frmOptionsTest, ShowsTheFileAndOkSavesWhatWasTyped)
{
    program.write("options.ini",
                  "[Network]\nPlayers_View=true\nPort=9000\nBind=127.0.0.1\nRemote_PIN=471108\n"
                  "[Voice]\nAnnouncements=true\nVoice=de\nRate=200\nLevel_Warning_Minutes=2\n");
    frmOptions dialog(folder(), boxes, {});
    EXPECT_TRUE(field<QCheckBox>(dialog, "chkPlayersView")->isChecked());
    EXPECT_EQ(field<QSpinBox>(dialog, "spnPort")->value(), 9000);
    EXPECT_EQ(field<QLineEdit>(dialog, "txtBind")->text(), "127.0.0.1");
    EXPECT_EQ(field<QLineEdit>(dialog, "txtRemotePin")->text(), "471108");
    EXPECT_TRUE(field<QCheckBox>(dialog, "chkAnnouncements")->isChecked());
    EXPECT_EQ(field<QComboBox>(dialog, "cboVoice")->currentText(), "de");
    EXPECT_EQ(field<QSpinBox>(dialog, "spnRate")->value(), 200);
    EXPECT_EQ(field<QSpinBox>(dialog, "spnWarning")->value(), 2);
    EXPECT_FALSE(field<QPushButton>(dialog, "cmdTest")->isEnabled());

    field<QCheckBox>(dialog, "chkAnnouncements")->setChecked(false);
    field<QComboBox>(dialog, "cboVoice")->setCurrentText("en-us");
    field<QSpinBox>(dialog, "spnWarning")->setValue(0);
    field<QSpinBox>(dialog, "spnPort")->setValue(8100);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const ClockOptions saved = ClockOptions::load(folder());
    EXPECT_FALSE(saved.voice.announcements);
    EXPECT_EQ(saved.voice.voice, "en-us");
    EXPECT_EQ(saved.voice.rate, 200);
    EXPECT_EQ(saved.voice.levelWarningMinutes, 0);
    EXPECT_EQ(saved.network.port, 8100);
    EXPECT_EQ(saved.network.remotePin, "471108");
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(frmOptionsTest, CancelLeavesTheFileAlone)
{
    frmOptions dialog(folder(), boxes, {});
    EXPECT_FALSE(field<QCheckBox>(dialog, "chkAnnouncements")->isChecked())
        << "announcements are off by default";
    field<QCheckBox>(dialog, "chkAnnouncements")->setChecked(true);
    dialog.reject();
    EXPECT_FALSE(QFile::exists(ClockOptions::fileName(folder())));
}

TEST_F(frmOptionsTest, TestSpeaksWithTheVoiceAsTyped)
{
    QList<ClockOptions::Voice> tested;
    frmOptions dialog(folder(), boxes, [&](const ClockOptions::Voice& voice) { tested << voice; });
    field<QComboBox>(dialog, "cboVoice")->setCurrentText("fr");
    field<QSpinBox>(dialog, "spnRate")->setValue(120);
    QTest::mouseClick(field<QPushButton>(dialog, "cmdTest"), Qt::LeftButton);
    ASSERT_EQ(tested.size(), 1);
    EXPECT_EQ(tested[0].voice, "fr");
    EXPECT_EQ(tested[0].rate, 120);
    EXPECT_FALSE(QFile::exists(ClockOptions::fileName(folder()))) << "a test saves nothing";

    field<QSpinBox>(dialog, "spnRate")->setValue(500);
    QTest::mouseClick(field<QPushButton>(dialog, "cmdTest"), Qt::LeftButton);
    EXPECT_EQ(tested.size(), 1) << "espeak-ng takes no rate of 500";
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "The rate must be from 80 to 450 words per minute.");
}

TEST_F(frmOptionsTest, AFileThatCannotBeWrittenKeepsTheDialogOpen)
{
    QDir(folder()).mkpath("options.ini");
    frmOptions dialog(folder(), boxes, {});
    dialog.open();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.contains("options.ini")) << boxes.shown[0].text.toStdString();
    dialog.reject();
}

TEST_F(frmOptionsTest, RefusesWhatTheClockCannotUseAndSavesNothing)
{
    const struct
    {
        const char* field;
        const char* typed;
        QStringList named;
    } cases[] = {
        {"spnPort", "70000", {"1024", "65534"}},
        {"spnPort", "0", {"1024", "65534"}},
        {"spnPort", "65535", {"1024", "65534"}},
        {"spnPort", "80", {"1024", "65534"}},
        {"spnRate", "500", {"80", "450", "words per minute"}},
        {"spnRate", "79", {"80", "450", "words per minute"}},
        {"txtRemotePin", "12ab", {"6 to 12 digits"}},
        {"txtRemotePin", "12345", {"6 to 12 digits"}},
        {"txtRemotePin", "1234567890123", {"6 to 12 digits"}},
    };
    for (const auto& c : cases) {
        boxes.shown.clear();
        frmOptions dialog(folder(), boxes, {});
        dialog.show();
        auto* widget = field<QWidget>(dialog, c.field);
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(widget, QString::fromLatin1(c.typed));
        QTest::keyClick(widget, Qt::Key_Tab);
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible()) << c.typed;
        EXPECT_FALSE(QFile::exists(ClockOptions::fileName(folder()))) << c.typed << " was saved";
        ASSERT_EQ(boxes.shown.size(), 1) << c.typed;
        EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Warning);
        for (const QString& named : c.named) {
            EXPECT_TRUE(boxes.shown[0].text.contains(named))
                << c.typed << ": " << boxes.shown[0].text.toStdString();
        }
        EXPECT_TRUE(dialog.focusWidget() == widget || widget->isAncestorOf(dialog.focusWidget()))
            << c.typed << " leaves the focus elsewhere";
        dialog.reject();
    }
}

TEST_F(frmOptionsTest, NothingIsSavedUntilEveryValueIsRight)
{
    frmOptions dialog(folder(), boxes, {});
    field<QSpinBox>(dialog, "spnPort")->setValue(0);
    field<QSpinBox>(dialog, "spnRate")->setValue(500);
    field<QLineEdit>(dialog, "txtRemotePin")->setText("1");
    dialog.accept();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text.count("must be"), 3) << boxes.shown[0].text.toStdString();
    field<QSpinBox>(dialog, "spnPort")->setValue(9000);
    field<QLineEdit>(dialog, "txtRemotePin")->setText("123456");
    dialog.accept();
    EXPECT_FALSE(QFile::exists(ClockOptions::fileName(folder())));
    field<QSpinBox>(dialog, "spnRate")->setValue(450);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const ClockOptions saved = ClockOptions::load(folder());
    EXPECT_EQ(saved.network.port, 9000);
    EXPECT_EQ(saved.network.remotePin, "123456");
    EXPECT_EQ(saved.voice.rate, 450);
}

TEST_F(frmOptionsTest, ThePinIsMaskedUntilTheDirectorAsksToSeeIt)
{
    program.write("options.ini", "[Network]\nRemote_PIN=24681357\n");
    frmOptions dialog(folder(), boxes, {});
    auto* pin = field<QLineEdit>(dialog, "txtRemotePin");
    auto* show = field<QToolButton>(dialog, "cmdShowPin");
    EXPECT_EQ(pin->echoMode(), QLineEdit::Password);
    EXPECT_NE(pin->displayText(), "24681357");
    QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_EQ(pin->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(pin->displayText(), "24681357");
    QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_EQ(pin->echoMode(), QLineEdit::Password);
}

TEST_F(frmOptionsTest, ForgetPairedPhonesAsksTheRemoteToForgetAtOnce)
{
    frmOptions dialog(folder(), boxes, {});
    auto* forget = field<QPushButton>(dialog, "cmdForgetPhones");
    EXPECT_FALSE(forget->isEnabled()) << "no remote is running";
    int forgotten = 0;
    dialog.setForgetPhones([&] { ++forgotten; });
    EXPECT_TRUE(forget->isEnabled());
    QTest::mouseClick(forget, Qt::LeftButton);
    EXPECT_EQ(forgotten, 1);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "Every paired phone must now pair again with the PIN.");
    EXPECT_FALSE(QFile::exists(ClockOptions::fileName(folder()))) << "forgetting saves nothing";
}

} // namespace
