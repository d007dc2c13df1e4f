#pragma once

#include "core/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

// Message boxes shown with QMessageBox, captioned with the application title and modal to the parent
// window when one is set.
class QtMessageBoxes : public MessageBoxes
{
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParentWindow(QWidget* parent) { m_parent = parent; }

    void show(Icon icon, const QString& text) override;
    bool ask(const QString& question, Icon icon = Icon::Question) override;

private:
    QPointer<QWidget> m_parent;
};
