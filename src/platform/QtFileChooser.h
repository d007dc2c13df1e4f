#pragma once

#include "core/FileChooser.h"

#include <QPointer>
#include <QWidget>

// The platform's open-file dialog.
class QtFileChooser : public FileChooser
{
public:
    explicit QtFileChooser(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParentWindow(QWidget* parent) { m_parent = parent; }

    QString chooseFile(const QString& title, const QString& startFolder, const QString& filterName,
                       const QString& pattern) override;

private:
    QPointer<QWidget> m_parent;
};
