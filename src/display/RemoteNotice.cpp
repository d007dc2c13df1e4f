#include "RemoteNotice.h"

#include <QEvent>

RemoteNotice::RemoteNotice(QWidget* screen) : QLabel(screen)
{
    setObjectName(QStringLiteral("remoteNotice"));
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(QStringLiteral("color: black; background-color: rgb(255,208,64); padding: 4px;"));
    QFont small = font();
    small.setPointSizeF(10);
    setFont(small);
    hide();
    screen->installEventFilter(this);
}

void RemoteNotice::showNotice(const QString& text)
{
    if (text.isEmpty()) {
        hide();
        return;
    }
    setText(text);
    place();
    raise();
    show();
}

bool RemoteNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize && isVisible()) {
        place();
    }
    return QLabel::eventFilter(watched, event);
}

void RemoteNotice::place()
{
    const QWidget* screen = parentWidget();
    // The save notice's corner, under the payout panel; above the save notice when that shows.
    const int width = qMin(screen->width() - 16, qMax(240, screen->width() / 3 - 16));
    setFixedWidth(qMax(1, width));
    adjustSize();
    int bottom = screen->height() - 8;
    const auto* save = screen->findChild<QLabel*>(QStringLiteral("saveNotice"), Qt::FindDirectChildrenOnly);
    if (save && save->isVisible()) {
        // From the screen's height, not the save notice's place: it may not have followed a resize yet.
        bottom -= save->height() + 8;
    }
    move(8, bottom - height());
}
