#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// The note of a break at which chips are taken out of play: "Colour up the 25 chips",
// "Colour up the 25 and 100 chips".
class ColourUpNote
{
public:
    static QString text(const QList<qint64>& denominations);
    // The denominations a note of that form names; empty for any other note.
    static QList<qint64> denominations(const QString& note);
};
