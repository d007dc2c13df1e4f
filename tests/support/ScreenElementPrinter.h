#pragma once

#include "core/ScreenElementId.h"

#include <ostream>

// Clock screen elements by name in GoogleTest failure messages.
inline std::ostream& operator<<(std::ostream& os, ScreenElementId id)
{
    return os << screenElementName(id).toStdString();
}
inline void PrintTo(ScreenElementId id, std::ostream* os)
{
    *os << id;
}
