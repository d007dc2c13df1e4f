#pragma once

#include "SettingsForm.h"

#include <QString>
#include <QStringList>
#include <optional>

struct DisplayRecord;
struct TournamentRecord;

// Turns the dialog's controls into the working records, correcting inconsistent counts on the way.
class SettingsSave
{
public:
    // Fewer entries than players lowers the players to the entries; no entries clears the rebuys and
    // add-ons with their corrections. The corrected texts are written back into form. A value outside its
    // field's range, no blinds file to take, or a chosen file name darvel.ini cannot hold, returns the
    // message naming the field and changes nothing.
    static std::optional<QString> apply(SettingsForm& form, const QStringList& blindsFileNames,
                                        TournamentRecord& tournament, DisplayRecord& display);

    static QString outOfRangeMessage(const QString& field);
    static QString noBlindsMessage();
    // darvel.ini holds Windows-1252 only: a file name it would mangle would name another file after the
    // next start.
    static QString unsupportedNameMessage(const QString& field, const QString& fileName);
};
