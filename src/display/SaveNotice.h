#pragma once

#include <QLabel>

// A small line at the foot of the clock screen saying that the tournament cannot be saved and why. It
// takes no key and no click, so the clock goes on as before; it follows the screen's resizes.
class SaveNotice : public QLabel
{
public:
    explicit SaveNotice(QWidget* screen);

    // Shows the reason, or hides the notice when the reason is empty.
    void showProblem(const QString& reason);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
};
