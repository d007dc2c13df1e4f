#pragma once

#include <QString>
#include <optional>

// What the settings dialog's controls hold when it saves: field texts as typed and the list choices.
struct SettingsForm
{
    QString txtName;
    QString txtPlayers;
    QString txtEntries;
    QString txtRebuys;
    QString txtAddons;
    QString txtBuyin;
    QString txtRebuy;
    QString txtAddon;
    QString Text1; // buy-in chips
    QString Text2; // rebuy chips
    QString Text3; // add-on chips
    QString Text5; // guarantee
    QString Text4; // contribution
    QString lblTime;
    QString level; // the selected level's text; empty when the structure has no levels
    std::optional<qint32> tournamentId;
    int blindsIndex = -1;
    int roundingIndex = 0;
    int refreshIndex = 0;
    int colourIndex = -1;
    QString tickSound; // entry texts, "None" for no file
    QString endSound;
    QString background;

    bool operator==(const SettingsForm&) const = default;
};
