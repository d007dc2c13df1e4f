#include "OrdinalSuffix.h"

QString OrdinalSuffix(qint16 place)
{
    if (place == 11 || place == 12 || place == 13) {
        return QStringLiteral("th");
    }
    switch (QString::number(place).back().unicode()) {
    case u'1':
        return QStringLiteral("st");
    case u'2':
        return QStringLiteral("nd");
    case u'3':
        return QStringLiteral("rd");
    default:
        return QStringLiteral("th");
    }
}
