#include "ColourSchemes.h"

QStringList ColourSchemes::names()
{
    QStringList result;
    for (const Row& row : Rows) {
        result.append(QString::fromLatin1(row.name));
    }
    return result;
}
