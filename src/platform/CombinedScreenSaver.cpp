#include "CombinedScreenSaver.h"

CombinedScreenSaver::CombinedScreenSaver(std::vector<std::unique_ptr<ScreenSaverBackend>> backends)
    : m_backends(std::move(backends)), m_foundOn(m_backends.size(), false)
{}

bool CombinedScreenSaver::isActive()
{
    m_asked = true;
    bool any = false;
    for (std::size_t i = 0; i < m_backends.size(); ++i) {
        m_foundOn[i] = m_backends[i]->isActive();
        any = any || m_foundOn[i];
    }
    return any;
}

bool CombinedScreenSaver::setActive(bool active)
{
    if (!m_asked) {
        isActive();
    }
    bool taken = false;
    for (std::size_t i = 0; i < m_backends.size(); ++i) {
        if (m_foundOn[i]) {
            taken = m_backends[i]->setActive(active) || taken;
        }
    }
    return taken;
}
