#pragma once

#include "ChipSet.h"

#include <QString>
#include <QtGlobal>
#include <optional>

// What a director knows before the night: the field, the chips, the time, the breaks and the antes.
struct BlindPlanInputs
{
    enum class Ante
    {
        None,
        Classic,  // about an eighth of the big blind
        BigBlind, // one ante, paid by the big blind, as large as it
    };

    int entries = 0;
    qint64 startingChips = 0;
    int rebuys = 0;
    qint64 rebuyChips = 0;
    int addons = 0;
    qint64 addonChips = 0;

    int playingMinutes = 300; // breaks not counted
    int levelMinutes = 20;
    int breakEvery = 120; // minutes of play between breaks; 0: no breaks
    int breakMinutes = 10;

    ChipSet chips = ChipSet({25, 100, 500, 1000, 5000, 25000});
    int depth = 100; // the first big blind is about startingChips / depth
    Ante ante = Ante::None;
    int anteFromLevel = 1;

    static constexpr int MinDepth = 20;
    static constexpr int MaxDepth = 400;

    qint64 totalChips() const;

    // Why no structure can be built from these inputs, in one line; nothing when one can.
    std::optional<QString> problem() const;

    // "none", "classic:K" or "bb:K"; false for anything else.
    bool setAnte(const QString& text);
    QString anteText() const;
};
