#include "SettingsSave.h"

#include "SettingsChoices.h"
#include "SettingsFileList.h"
#include "core/Cp1252.h"
#include "core/DecimalNumber.h"
#include "core/Money.h"
#include "core/TournamentState.h"

namespace {

// Thrown inside apply only, to stop at the first field that does not fit.
struct FieldError
{
    QString field;
};

qint16 count(const QString& text, const char* field)
{
    const auto value = DecimalNumber::leading(text).toInt16();
    if (!value) {
        throw FieldError{QString::fromLatin1(field)};
    }
    return *value;
}

Money money(const QString& text, const char* field)
{
    const auto value = Money::fromLeadingText(text);
    if (!value) {
        throw FieldError{QString::fromLatin1(field)};
    }
    return *value;
}

QString fileChoice(const QString& entry, const char* extension)
{
    return entry.isEmpty() || entry == SettingsFileList::noneEntry() ? QString()
                                                                     : entry + QLatin1String(extension);
}

} // namespace

QString SettingsSave::outOfRangeMessage(const QString& field)
{
    return QStringLiteral("The value in \"%1\" is out of range.\r\n\r\nPlease correct it before saving.")
        .arg(field);
}

QString SettingsSave::noBlindsMessage()
{
    return QStringLiteral("There is no blinds structure to select in \"Blinds\".\r\n\r\n"
                          "Please add a blinds file before saving.");
}

QString SettingsSave::unsupportedNameMessage(const QString& field, const QString& fileName)
{
    return QStringLiteral("The file name \"%1\" in \"%2\" has characters that the clock cannot keep in its "
                          "settings file.\r\n\r\nPlease rename the file using only Western European letters, "
                          "digits and punctuation, then choose it again.")
        .arg(fileName, field);
}

std::optional<QString> SettingsSave::apply(SettingsForm& form, const QStringList& blindsFileNames,
                                           TournamentRecord& tournament, DisplayRecord& display)
{
    // Every field is checked as typed before anything is corrected or stored, so a rejected save leaves
    // the dialog and the records exactly as they were.
    try {
        for (auto [text, field] :
             {std::pair{&form.txtPlayers, "Players"}, std::pair{&form.txtEntries, "Entries"},
              std::pair{&form.txtRebuys, "Rebuys"}, std::pair{&form.txtAddons, "Addons"}}) {
            count(*text, field);
        }
        for (auto [text, field] :
             {std::pair{&form.Text1, "Buy-in Chips"}, std::pair{&form.Text2, "Rebuy Chips"},
              std::pair{&form.Text3, "Addon Chips"}, std::pair{&form.txtBuyin, "Buy-in Amount"},
              std::pair{&form.txtRebuy, "Rebuy Amount"}, std::pair{&form.txtAddon, "Addon Amount"},
              std::pair{&form.Text5, "Guarantee"}, std::pair{&form.Text4, "Contribution"}}) {
            money(*text, field);
        }
        if (!form.level.isEmpty()) {
            const auto level = DecimalNumber::strict(form.level);
            if (!level || !level->toInt16()) {
                throw FieldError{QStringLiteral("Current Level")};
            }
        }
    } catch (const FieldError& e) {
        return outOfRangeMessage(e.field);
    }
    if (form.blindsIndex < 0 || form.blindsIndex >= blindsFileNames.size()) {
        return noBlindsMessage();
    }
    for (const auto& [name, field] : {std::pair{blindsFileNames.at(form.blindsIndex), "Blinds"},
                                      std::pair{fileChoice(form.background, ".jpg"), "Background"},
                                      std::pair{fileChoice(form.tickSound, ".wav"), "Countdown Sound"},
                                      std::pair{fileChoice(form.endSound, ".wav"), "Level End Sound"}}) {
        if (!Cp1252::canEncode(name)) {
            return unsupportedNameMessage(QString::fromLatin1(field), name);
        }
    }

    TournamentRecord& t = tournament;
    DisplayRecord& d = display;
    SettingsForm& f = form;
    if (*Money::fromLeadingText(f.txtEntries) < *Money::fromLeadingText(f.txtPlayers)) {
        f.txtPlayers = f.txtEntries;
    }
    if (DecimalNumber::leading(f.txtEntries).isZero()) {
        f.txtRebuys = QStringLiteral("0");
        f.txtAddons = QStringLiteral("0");
        t.Rebuy_Variance = 0;
        t.Addon_Variance = 0;
    }
    t.Title = f.txtName;
    if (!f.level.isEmpty()) {
        t.Level = *DecimalNumber::strict(f.level)->toInt16();
    }
    t.Time = f.lblTime;
    t.Tournament_ID = f.tournamentId.value_or(0);
    t.Blinds = blindsFileNames.at(f.blindsIndex);
    t.Players = count(f.txtPlayers, "Players");
    t.Entries = count(f.txtEntries, "Entries");
    t.Rebuys = count(f.txtRebuys, "Rebuys");
    t.Addons = count(f.txtAddons, "Addons");
    t.Buyin_Chips = money(f.Text1, "Buy-in Chips");
    t.Rebuy_Chips = money(f.Text2, "Rebuy Chips");
    t.Addon_Chips = money(f.Text3, "Addon Chips");
    t.Buyin = money(f.txtBuyin, "Buy-in Amount");
    t.Rebuy = money(f.txtRebuy, "Rebuy Amount");
    t.Addon = money(f.txtAddon, "Addon Amount");
    t.Prize_Guarantee = money(f.Text5, "Guarantee");
    t.Prize_Contribution = money(f.Text4, "Contribution");
    t.Prize_Rounding = SettingsChoices::roundingValue(f.roundingIndex);
    t.Refresh = SettingsChoices::refreshSeconds(f.refreshIndex);
    if (f.colourIndex >= 0) {
        d.Color_Style = qint16(f.colourIndex);
    }
    d.Tick_Sound = fileChoice(f.tickSound, ".wav");
    d.End_Sound = fileChoice(f.endSound, ".wav");
    d.Background = fileChoice(f.background, ".jpg");
    return std::nullopt;
}
