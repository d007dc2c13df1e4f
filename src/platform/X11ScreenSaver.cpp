#include "X11ScreenSaver.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <memory>

namespace {

// The display Qt's xcb platform opened too: both follow DISPLAY.
using DisplayPtr = std::unique_ptr<Display, int (*)(Display*)>;

DisplayPtr openDisplay()
{
    return DisplayPtr(XOpenDisplay(nullptr), XCloseDisplay);
}

bool dpmsEnabled(Display* display)
{
    int eventBase = 0;
    int errorBase = 0;
    if (!DPMSQueryExtension(display, &eventBase, &errorBase) || !DPMSCapable(display)) {
        return false;
    }
    CARD16 level = 0;
    BOOL enabled = False;
    return DPMSInfo(display, &level, &enabled) && enabled;
}

} // namespace

bool X11ScreenSaver::isActive()
{
    const DisplayPtr display = openDisplay();
    if (!display) {
        return false;
    }
    int timeout = 0;
    int interval = 0;
    int preferBlanking = 0;
    int allowExposures = 0;
    XGetScreenSaver(display.get(), &timeout, &interval, &preferBlanking, &allowExposures);
    return timeout > 0 || dpmsEnabled(display.get());
}

bool X11ScreenSaver::setActive(bool active)
{
    const DisplayPtr display = openDisplay();
    if (!display) {
        return false;
    }
    if (!active) {
        Settings found;
        XGetScreenSaver(display.get(), &found.timeout, &found.interval, &found.preferBlanking,
                        &found.allowExposures);
        found.dpmsEnabled = dpmsEnabled(display.get());
        if (found.timeout > 0) {
            XSetScreenSaver(display.get(), 0, found.interval, found.preferBlanking, found.allowExposures);
        }
        if (found.dpmsEnabled) {
            DPMSGetTimeouts(display.get(), &found.standby, &found.suspend, &found.off);
            DPMSDisable(display.get());
        }
        // A second switch-off must not overwrite what the first one found.
        if (!m_switchedOff) {
            m_switchedOff = found;
        }
    } else {
        if (!m_switchedOff) {
            return false;
        }
        const Settings& saved = *m_switchedOff;
        if (saved.timeout > 0) {
            XSetScreenSaver(display.get(), saved.timeout, saved.interval, saved.preferBlanking,
                            saved.allowExposures);
        }
        if (saved.dpmsEnabled) {
            DPMSSetTimeouts(display.get(), saved.standby, saved.suspend, saved.off);
            DPMSEnable(display.get());
        }
        m_switchedOff.reset();
    }
    XSync(display.get(), False);
    return true;
}
