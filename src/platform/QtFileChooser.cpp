#include "QtFileChooser.h"

#include <QDir>
#include <QFileDialog>

QString QtFileChooser::chooseFile(const QString& title, const QString& startFolder, const QString& filterName,
                                  const QString& pattern)
{
    // The dialog takes its patterns from the parentheses of the filter; add them when the name lacks them.
    const QString filter =
        filterName.contains(u'(') ? filterName : filterName + QStringLiteral(" (") + pattern + u')';
    const QString chosen = QFileDialog::getOpenFileName(m_parent, title, startFolder, filter);
    return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen);
}
