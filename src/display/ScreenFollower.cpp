#include "ScreenFollower.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

ScreenFollower::ScreenFollower(QWidget* window, std::function<void()> refit)
    : QObject(window), m_window(window), m_refit(std::move(refit))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        if (m_refit) {
            m_refit();
        }
    });
}

void ScreenFollower::start()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    QWindow* window = m_window->windowHandle();
    if (app == nullptr || window == nullptr) {
        return;
    }
    connect(app, &QGuiApplication::screenAdded, this, &ScreenFollower::changed, Qt::UniqueConnection);
    connect(app, &QGuiApplication::screenRemoved, this, &ScreenFollower::changed, Qt::UniqueConnection);
    connect(app, &QGuiApplication::primaryScreenChanged, this, &ScreenFollower::changed,
            Qt::UniqueConnection);
    connect(window, &QWindow::screenChanged, this, [this](QScreen* screen) {
        watch(screen);
        changed();
    });
    watch(window->screen());
}

QScreen* ScreenFollower::targetScreen(const QWindow* window)
{
    QScreen* own = window != nullptr ? window->screen() : nullptr;
    if (own != nullptr && QGuiApplication::screens().contains(own)) {
        return own;
    }
    return QGuiApplication::primaryScreen();
}

void ScreenFollower::watch(QScreen* screen)
{
    if (m_watched == screen) {
        return;
    }
    if (m_watched) {
        disconnect(m_watched, nullptr, this, nullptr);
    }
    m_watched = screen;
    if (screen != nullptr) {
        connect(screen, &QScreen::geometryChanged, this, &ScreenFollower::changed);
        connect(screen, &QScreen::availableGeometryChanged, this, &ScreenFollower::changed);
    }
}

void ScreenFollower::changed()
{
    m_settle.start();
}
