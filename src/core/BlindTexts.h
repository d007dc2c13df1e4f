#pragma once

#include "BlindLevel.h"

#include <QString>
#include <optional>

// The blinds and ante of a level as the clock shows them: "100/200" and "25"; "-/-" and "-" for no
// level, and "-" for an ante of "0".
QString BlindsText(const std::optional<BlindLevel>& level);
QString AnteText(const std::optional<BlindLevel>& level);
