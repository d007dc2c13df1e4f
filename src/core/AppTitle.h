#pragma once

#include <QString>

// The caption of every message box and the name the clock gives itself.
inline QString AppTitle()
{
    return QStringLiteral("KAVRO Clock");
}
