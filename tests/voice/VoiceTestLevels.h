#pragma once

#include "core/BlindStructure.h"

// level, small blind, big blind, ante, minutes, break minutes
inline BlindStructure voiceTestBlinds(std::initializer_list<BlindLevel> rows)
{
    BlindStructure blinds;
    qint16 number = 0;
    for (BlindLevel row : rows) {
        row.LevelNumber = ++number;
        blinds.append(row);
    }
    return blinds;
}
