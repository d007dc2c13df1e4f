#include "WindowsScreenSaver.h"

#include <QSettings>
#include <windows.h>

bool WindowsScreenSaver::isActive()
{
    const QSettings desktop(QStringLiteral("HKEY_USERS\\.Default\\Control Panel\\Desktop"),
                            QSettings::NativeFormat);
    if (desktop.status() != QSettings::NoError || !desktop.contains(QStringLiteral("ScreenSaveActive"))) {
        return false;
    }
    return desktop.value(QStringLiteral("ScreenSaveActive")).toString() != QStringLiteral("0");
}

bool WindowsScreenSaver::setActive(bool active)
{
    UINT unused = 0;
    return SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active ? 1 : 0, &unused, SPIF_SENDWININICHANGE) !=
           0;
}
