#include "CornerNotice.h"

#include <QEvent>
#include <algorithm>
#include <vector>

CornerNotice::CornerNotice(QWidget* screen) : QLabel(screen)
{
    setObjectName(QStringLiteral("cornerNotice"));
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

void CornerNotice::post(const QString& source, const QString& text, int lifetimeMs)
{
    if (text.isEmpty()) {
        clear(source);
        return;
    }
    Line& line = m_lines[source];
    if (line.text.isEmpty()) {
        line.order = ++m_posts;
    }
    line.text = text;
    line.expiry.reset();
    if (lifetimeMs > 0) {
        line.expiry = std::make_unique<QTimer>();
        line.expiry->setSingleShot(true);
        QObject::connect(line.expiry.get(), &QTimer::timeout, this, [this, source] { clear(source); });
        line.expiry->start(lifetimeMs);
    }
    refresh();
}

void CornerNotice::clear(const QString& source)
{
    const auto it = m_lines.find(source);
    if (it == m_lines.end()) {
        return;
    }
    // The expiry timer may be the caller: let it return before it goes.
    if (it->second.expiry) {
        it->second.expiry.release()->deleteLater();
    }
    m_lines.erase(it);
    refresh();
}

QString CornerNotice::line(const QString& source) const
{
    const auto it = m_lines.find(source);
    return it == m_lines.end() ? QString() : it->second.text;
}

void CornerNotice::showSaveProblem(const QString& reason)
{
    post(QStringLiteral("save"),
         reason.isEmpty()
             ? QString()
             : QStringLiteral("The tournament cannot be saved: %1\nThe clock keeps running and keeps trying.")
                   .arg(reason));
}

void CornerNotice::refresh()
{
    if (m_lines.empty()) {
        hide();
        return;
    }
    // In the order the sources first spoke, so a line does not jump when another changes.
    std::vector<const Line*> lines;
    for (const auto& [source, line] : m_lines) {
        lines.push_back(&line);
    }
    std::sort(lines.begin(), lines.end(), [](const Line* a, const Line* b) { return a->order < b->order; });
    QStringList texts;
    for (const Line* line : lines) {
        texts.append(line->text);
    }
    setText(texts.join(QLatin1Char('\n')));
    place();
    raise();
    show();
}

bool CornerNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize && isVisible()) {
        place();
    }
    return QLabel::eventFilter(watched, event);
}

void CornerNotice::place()
{
    const QWidget* screen = parentWidget();
    // The corner under the payout panel, left of the blinds panels, which it must not cover.
    const int width = qMin(screen->width() - 16, qMax(240, screen->width() / 3 - 16));
    setFixedWidth(qMax(1, width));
    adjustSize();
    move(8, screen->height() - height() - 8);
}
