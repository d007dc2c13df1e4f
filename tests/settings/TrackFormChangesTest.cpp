#include "settings/TrackFormChanges.h"

#include "settings/PictureBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A window with one control of every kind, some inside a panel.
struct Window
{
    QWidget window;
    QWidget* panel = new QWidget(&window);
    QCheckBox* check = new QCheckBox(panel);
    QDateTimeEdit* date = new QDateTimeEdit(QDateTime(QDate(2026, 12, 8), QTime(20, 0)), panel);
    QScrollBar* bar = new QScrollBar(Qt::Vertical, &window);
    QSpinBox* spin = new QSpinBox(&window);
    QComboBox* combo = new QComboBox(panel);
    QComboBox* editable = new QComboBox(&window);
    QLineEdit* text = new QLineEdit(&window);
    QPlainTextEdit* memo = new QPlainTextEdit(&window);
    QListWidget* checks = new QListWidget(&window);
    QListWidget* rows = new QListWidget(&window);
    PictureBox* picture = new PictureBox(&window);
    QLabel* label = new QLabel(&window);
    QRadioButton* option = new QRadioButton(&window);
    QPushButton* button = new QPushButton(&window);

    Window()
    {
        bar->setRange(0, 20);
        combo->addItems({"White", "Black"});
        editable->setEditable(true);
        editable->addItems({"One", "Two"});
        text->setText("Cup");
        for (const char* item : {"a", "b"}) {
            auto* checkable = new QListWidgetItem(QString::fromLatin1(item), checks);
            checkable->setFlags(checkable->flags() | Qt::ItemIsUserCheckable);
            checkable->setCheckState(Qt::Unchecked);
            new QListWidgetItem(QString::fromLatin1(item), rows);
        }
        rows->setCurrentRow(0);
    }
};

QPixmap picture()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    return QPixmap::fromImage(image);
}

TEST(TrackFormChanges, NothingCountsAsChangedWithoutASnapshot)
{
    Window w;
    w.text->setText("Changed");
    EXPECT_FALSE(TrackFormChanges(&w.window, false));
    EXPECT_FALSE(TrackFormChanges(&w.window, true));
    EXPECT_FALSE(TrackFormChanges(&w.window, false));
    EXPECT_EQ(w.window.property("tag").toString(), "INIT");
    EXPECT_EQ(w.text->property("tag").toString(), "Changed");
}

TEST(TrackFormChanges, EachTrackedKindReportsItsChange)
{
    const std::vector<std::pair<const char*, std::function<void(Window&)>>> edits = {
        {"check box", [](Window& w) { w.check->setChecked(true); }},
        {"date", [](Window& w) { w.date->setDate(QDate(2026, 12, 9)); }},
        {"scroll bar", [](Window& w) { w.bar->setValue(5); }},
        {"spin box", [](Window& w) { w.spin->setValue(3); }},
        {"combo box", [](Window& w) { w.combo->setCurrentIndex(1); }},
        {"editable combo box", [](Window& w) { w.editable->setEditText("Three"); }},
        {"text field, case only", [](Window& w) { w.text->setText("CUP"); }},
        {"multi-line text", [](Window& w) { w.memo->setPlainText("notes"); }},
        {"check list", [](Window& w) { w.checks->item(1)->setCheckState(Qt::Checked); }},
        {"list", [](Window& w) { w.rows->setCurrentRow(1); }},
        {"picture", [](Window& w) { w.picture->setPicture(picture()); }},
    };
    for (const auto& [kind, edit] : edits) {
        Window w;
        TrackFormChanges(&w.window, true);
        edit(w);
        EXPECT_TRUE(TrackFormChanges(&w.window, false)) << kind;
        TrackFormChanges(&w.window, true);
        EXPECT_FALSE(TrackFormChanges(&w.window, false)) << kind << " after a new snapshot";
    }
}

TEST(TrackFormChanges, LabelsButtonsAndOptionsAreNotTracked)
{
    Window w;
    TrackFormChanges(&w.window, true);
    w.label->setText("changed");
    w.option->setChecked(true);
    w.button->setText("changed");
    EXPECT_FALSE(TrackFormChanges(&w.window, false));
}

TEST(TrackFormChanges, AValueChangedBackIsNoChange)
{
    Window w;
    TrackFormChanges(&w.window, true);
    w.text->setText("Other");
    w.text->setText("Cup");
    w.bar->setValue(7);
    w.bar->setValue(0);
    EXPECT_FALSE(TrackFormChanges(&w.window, false));
}

TEST(TrackFormChanges, APictureReloadedFromTheSameSourceIsANewPicture)
{
    Window w;
    const QPixmap first = picture();
    w.picture->setPicture(first);
    TrackFormChanges(&w.window, true);
    w.picture->setPicture(first);
    EXPECT_FALSE(TrackFormChanges(&w.window, false));
    w.picture->setPicture(picture());
    EXPECT_TRUE(TrackFormChanges(&w.window, false));
    w.picture->clear();
    TrackFormChanges(&w.window, true);
    w.picture->clear();
    EXPECT_FALSE(TrackFormChanges(&w.window, false));
}

TEST(TrackFormChanges, WorksOnAnyWindowOnItsOwnMarker)
{
    Window a;
    Window b;
    TrackFormChanges(&a.window, true);
    b.text->setText("x");
    EXPECT_FALSE(TrackFormChanges(&b.window, false));
    a.text->setText("x");
    EXPECT_TRUE(TrackFormChanges(&a.window, false));
}

} // namespace
