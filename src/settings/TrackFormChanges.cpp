#include "TrackFormChanges.h"

#include "PictureBox.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextEdit>
#include <optional>

namespace {

const char* const Tag = "tag";
const QString SnapshotMarker = QStringLiteral("INIT");

bool hasCheckBoxes(const QListWidget* list)
{
    for (int i = 0; i < list->count(); ++i) {
        // Items are checkable by default; a list shows check boxes once its items carry a check state.
        if (list->item(i)->data(Qt::CheckStateRole).isValid()) {
            return true;
        }
    }
    return false;
}

// The parts Qt builds controls from (the line edit of a spin box or combo box, the list of a combo box,
// the scroll bars of a text or list box) are not controls of the window.
bool isPartOfControl(const QWidget* w, const QWidget* window)
{
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
        if (qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QComboBox*>(p)) {
            return true;
        }
        if (const auto* area = qobject_cast<const QAbstractScrollArea*>(p)) {
            if (w == area->horizontalScrollBar() || w == area->verticalScrollBar()) {
                return true;
            }
        }
    }
    return false;
}

std::optional<QString> trackedValue(const QWidget* w)
{
    if (const auto* box = qobject_cast<const QCheckBox*>(w)) {
        return QString::number(int(box->checkState()));
    }
    if (const auto* edit = qobject_cast<const QDateTimeEdit*>(w)) {
        return edit->dateTime().toString(Qt::ISODateWithMs);
    }
    if (const auto* slider = qobject_cast<const QAbstractSlider*>(w)) {
        return QString::number(slider->value());
    }
    if (const auto* spin = qobject_cast<const QSpinBox*>(w)) {
        return QString::number(spin->value());
    }
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(w)) {
        return spin->text();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
        return combo->currentText();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
        return edit->text();
    }
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(w)) {
        return edit->toPlainText();
    }
    if (const auto* edit = qobject_cast<const QTextEdit*>(w)) {
        return edit->toPlainText();
    }
    if (const auto* list = qobject_cast<const QListWidget*>(w)) {
        if (hasCheckBoxes(list)) {
            QString flags;
            for (int i = 0; i < list->count(); ++i) {
                flags += list->item(i)->checkState() == Qt::Checked ? QStringLiteral("True")
                                                                    : QStringLiteral("False");
            }
            return flags;
        }
        return QString::number(list->currentRow());
    }
    if (const auto* picture = qobject_cast<const PictureBox*>(w)) {
        return QString::number(picture->pictureId());
    }
    return std::nullopt;
}

} // namespace

bool TrackFormChanges(QWidget* window, bool snapshot)
{
    if (!snapshot && window->property(Tag).toString() != SnapshotMarker) {
        return false;
    }
    if (snapshot) {
        window->setProperty(Tag, SnapshotMarker);
    }
    bool changed = false;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const std::optional<QString> value =
            isPartOfControl(control, window) ? std::nullopt : trackedValue(control);
        if (!value) {
            continue;
        }
        if (snapshot) {
            control->setProperty(Tag, *value);
        } else if (control->property(Tag).toString() != *value) {
            changed = true;
        }
    }
    return changed;
}

void SnapshotFormControl(QWidget* control)
{
    if (const std::optional<QString> value = trackedValue(control)) {
        control->setProperty(Tag, *value);
    }
}
