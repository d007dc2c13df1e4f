#include "SettingsChoices.h"

#include "core/ColourSchemes.h"

#include <array>

namespace {

constexpr std::array<qint16, 5> RefreshSeconds{0, 5, 10, 30, 60};

} // namespace

QStringList SettingsChoices::colourSchemes()
{
    return ColourSchemes::names();
}

RgbColour SettingsChoices::swatch(int index)
{
    const auto& rows = ColourSchemes::Rows;
    return rows[index >= 0 && index < int(rows.size()) ? size_t(index) : 0].back;
}

QStringList SettingsChoices::refreshEntries()
{
    return {QStringLiteral("Never"), QStringLiteral("5 secs"), QStringLiteral("10 secs"),
            QStringLiteral("30 secs"), QStringLiteral("60 secs")};
}

qint16 SettingsChoices::refreshSeconds(int index)
{
    return index >= 0 && index < int(RefreshSeconds.size()) ? RefreshSeconds[size_t(index)] : 0;
}

int SettingsChoices::refreshIndex(qint16 seconds)
{
    for (size_t i = 0; i < RefreshSeconds.size(); ++i) {
        if (RefreshSeconds[i] == seconds) {
            return int(i);
        }
    }
    return 2;
}

QStringList SettingsChoices::roundingCaptions(const QString& currencySymbol)
{
    const QString nearest = QStringLiteral("Nearest ") + currencySymbol;
    return {nearest + u'1', nearest + QStringLiteral("10"), nearest + QStringLiteral("100")};
}

int SettingsChoices::roundingIndex(qint16 rounding)
{
    return rounding == 10 ? 1 : rounding == 100 ? 2 : 0;
}

qint16 SettingsChoices::roundingValue(int index)
{
    return index == 1 ? 10 : index == 2 ? 100 : 0;
}

SettingsChoices::Notice SettingsChoices::refreshNotice(int index)
{
    if (index > 0) {
        return {QStringLiteral("The tournament data will be refreshed\r\nfrom KAVRO every ") +
                    refreshEntries().value(index),
                RgbColour{16, 84, 197}};
    }
    return {QStringLiteral("You have selected to \"never\" refresh the clock\r\n"
                           "from the KAVRO database, this means that after\r\n"
                           "the tournament starts you will need to update\r\n"
                           "the players, entries, rebuys etc. manually by\r\n"
                           "using the function keys."),
            RgbColour{192, 0, 0}};
}
