#pragma once

#include "core/ScreenElement.h"

// Setting a caption is no reading.
inline void title(ScreenElement& e)
{
    e.caption = QStringLiteral("Title");
}
