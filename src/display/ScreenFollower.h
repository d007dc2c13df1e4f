#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class QScreen;
class QWidget;
class QWindow;

// Follows the screen a window is shown on: when a screen comes or goes, the primary screen changes, or
// the window's screen changes its size (a TV switched off and on, another resolution), it calls refit
// once the changes have settled, so that the window can fill whatever screen it is on now.
class ScreenFollower : public QObject
{
    Q_OBJECT

public:
    ScreenFollower(QWidget* window, std::function<void()> refit);

    // Starts following; the window must have its native window by now (it has been shown).
    void start();
    // The screen the window should fill: its own while it exists, otherwise the primary one.
    static QScreen* targetScreen(const QWindow* window);
    // Settling time: a plugged screen reports its outputs and sizes in several steps.
    static constexpr int SettleMs = 250;

private:
    QWidget* m_window;
    std::function<void()> m_refit;
    QTimer m_settle;
    QPointer<QScreen> m_watched;

    void watch(QScreen* screen);
    void changed();
};
