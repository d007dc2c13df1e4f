#include "SaveNotice.h"

#include <QEvent>

SaveNotice::SaveNotice(QWidget* screen) : QLabel(screen)
{
    setObjectName(QStringLiteral("saveNotice"));
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(QStringLiteral("color: white; background-color: rgb(160,0,0); padding: 4px;"));
    QFont small = font();
    small.setPointSizeF(10);
    setFont(small);
    hide();
    screen->installEventFilter(this);
}

void SaveNotice::showProblem(const QString& reason)
{
    if (reason.isEmpty()) {
        hide();
        return;
    }
    setText(QStringLiteral("The tournament cannot be saved: %1\nThe clock keeps running and keeps trying.")
                .arg(reason));
    place();
    raise();
    show();
}

bool SaveNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize && isVisible()) {
        place();
    }
    return QLabel::eventFilter(watched, event);
}

void SaveNotice::place()
{
    const QWidget* screen = parentWidget();
    // The corner under the payout panel, left of the blinds panels, which it must not cover.
    const int width = qMin(screen->width() - 16, qMax(240, screen->width() / 3 - 16));
    setFixedWidth(qMax(1, width));
    adjustSize();
    move(8, screen->height() - height() - 8);
}
