#include "modScreensaver.h"

#include "CombinedScreenSaver.h"
#include "DBusScreenSaver.h"
#ifdef Q_OS_WIN
#include "WindowsScreenSaver.h"
#else
#include "X11ScreenSaver.h"
#endif

modScreensaver::modScreensaver(std::unique_ptr<ScreenSaverBackend> backend) : m_backend(std::move(backend)) {}

std::unique_ptr<ScreenSaverBackend> modScreensaver::forPlatform(const QString& platformName)
{
#ifdef Q_OS_WIN
    if (platformName == QStringLiteral("windows")) {
        return std::make_unique<WindowsScreenSaver>();
    }
#else
    if (platformName == QStringLiteral("xcb")) {
        std::vector<std::unique_ptr<ScreenSaverBackend>> both;
        both.push_back(std::make_unique<X11ScreenSaver>());
        both.push_back(std::make_unique<DBusScreenSaver>());
        return std::make_unique<CombinedScreenSaver>(std::move(both));
    }
#endif
    if (platformName == QStringLiteral("offscreen") || platformName == QStringLiteral("minimal") ||
        platformName == QStringLiteral("windows")) {
        return {};
    }
    return std::make_unique<DBusScreenSaver>();
}

bool modScreensaver::IsScreenSaverActive()
{
    try {
        return m_backend && m_backend->isActive();
    } catch (...) {
        return false;
    }
}

bool modScreensaver::SetScreenSaverActive(bool active)
{
    try {
        return m_backend && m_backend->setActive(active);
    } catch (...) {
        return false;
    }
}
