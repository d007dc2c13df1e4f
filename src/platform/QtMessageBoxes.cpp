#include "QtMessageBoxes.h"

#include "core/AppTitle.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon qtIcon(MessageBoxes::Icon icon)
{
    switch (icon) {
    case MessageBoxes::Icon::Information:
        return QMessageBox::Information;
    case MessageBoxes::Icon::Warning:
        return QMessageBox::Warning;
    case MessageBoxes::Icon::Critical:
        return QMessageBox::Critical;
    case MessageBoxes::Icon::Question:
        return QMessageBox::Question;
    case MessageBoxes::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Messages break lines with CR LF; a label wants plain LF. Plain text, so a "<" in a path shows as is.
QString displayed(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

void QtMessageBoxes::show(Icon icon, const QString& text)
{
    QMessageBox box(qtIcon(icon), AppTitle(), displayed(text), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtMessageBoxes::ask(const QString& question, Icon icon)
{
    QMessageBox box(qtIcon(icon), AppTitle(), displayed(question), QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}
