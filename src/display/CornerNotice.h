#pragma once

#include <QLabel>
#include <QTimer>
#include <map>
#include <memory>

// A small box in the bottom-left corner of the clock screen for what the director should know but the
// players need not wait for: a tournament that cannot be saved, an optional feature that does not work.
// Each source has its own line, replaced by its next post. It takes no key and no click, so the clock goes
// on as before, follows the screen's resizes and hides when no line is left.
class CornerNotice : public QLabel
{
public:
    // How long a notice about an optional feature stays.
    static constexpr int FeatureMs = 20000;

    explicit CornerNotice(QWidget* screen);

    // Shows text as source's line: for lifetimeMs, or until the source clears it when 0. An empty text
    // clears the line.
    void post(const QString& source, const QString& text, int lifetimeMs = 0);
    void clear(const QString& source);
    QString line(const QString& source) const;

    // The line of a save that failed, until a save succeeds again (empty reason).
    void showSaveProblem(const QString& reason);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line
    {
        int order = 0;
        QString text;
        std::unique_ptr<QTimer> expiry;
    };

    std::map<QString, Line> m_lines;
    int m_posts = 0;

    void refresh();
    void place();
};
