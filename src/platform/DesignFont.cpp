#include "DesignFont.h"

#include <QFontDatabase>
#include <QStringList>

bool DesignFont::ensureTahoma()
{
    static const bool available = [] {
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive)) {
            return true;
        }
        bool added = false;
        for (const char* file : {"tahoma.ttf", "tahomabd.ttf"}) {
            const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(file);
            added = QFontDatabase::addApplicationFont(path) >= 0 || added;
        }
        return added;
    }();
    return available;
}

QFont DesignFont::tahoma(double pointSize, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont DesignFont::dialogFont()
{
    ensureTahoma();
    return tahoma(8.25);
}
