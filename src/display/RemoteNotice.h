#pragma once

#include <QLabel>

// A small line in the corner of the clock screen about the remote (its PIN, guessing from the network),
// for the director. Like the save notice it takes no key and no click and follows the screen's resizes;
// it sits above the save notice when both show.
class RemoteNotice : public QLabel
{
public:
    explicit RemoteNotice(QWidget* screen);

    // Shows the text, or hides the notice when it is empty.
    void showNotice(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
};
