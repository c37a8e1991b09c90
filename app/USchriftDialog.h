#pragma once
// The font dialog of the Qt platform: font, size, style and effects, and, as
// on the classic desktop, a colour from the sixteen standard colours.
#include <optional>

#include "app/UPlattform.h"

std::optional<TSchriftWahl> schriftWaehlen(const TSchriftWahl& start);
