#pragma once

#include "core/RgbColour.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The fixed contents of the dialog's lists and option buttons and what each choice stores.
class SettingsChoices
{
public:
    static QStringList colourSchemes();
    // The swatch of colour scheme index; white for an index outside the list.
    static RgbColour swatch(int index);

    static QStringList refreshEntries();
    // Seconds stored for refresh entry index; 0 for an index outside the list.
    static qint16 refreshSeconds(int index);
    // The entry for a stored interval; "10 secs" for any interval the list does not offer.
    static int refreshIndex(qint16 seconds);

    static QStringList roundingCaptions(const QString& currencySymbol);
    static int roundingIndex(qint16 rounding);
    static qint16 roundingValue(int index);

    struct Notice
    {
        QString text;
        RgbColour colour;
    };
    // What the refresh notice says for the picked refresh entry.
    static Notice refreshNotice(int index);
};
