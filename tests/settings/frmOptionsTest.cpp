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
                  "[Network]\nPlayers_View=true\nPort=9000\nBind=127.0.0.1\nRemote_PIN=4711\n"
                  "[Voice]\nAnnouncements=true\nVoice=de\nRate=200\nLevel_Warning_Minutes=2\n");
    frmOptions dialog(folder(), boxes, {});
    EXPECT_TRUE(field<QCheckBox>(dialog, "chkPlayersView")->isChecked());
    EXPECT_EQ(field<QSpinBox>(dialog, "spnPort")->value(), 9000);
    EXPECT_EQ(field<QLineEdit>(dialog, "txtBind")->text(), "127.0.0.1");
    EXPECT_EQ(field<QLineEdit>(dialog, "txtRemotePin")->text(), "4711");
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
    EXPECT_EQ(saved.network.remotePin, "4711");
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

} // namespace
