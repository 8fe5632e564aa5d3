// The sixteen custom colours of the colour dialog, kept per user so that
// they survive a restart: settings "Farbwahl", group "CustomColors", values
// "ColorA" .. "ColorP", each six hexadecimal digits of the colour value
// $00BBGGRR (as "FF8040").
#pragma once

#include "core/Types.h"

#include <QString>

#include <array>

namespace tessaro {

constexpr int CustomColorCount = 16;
using TCustomColors = std::array<TColor, CustomColorCount>;

// What the settings hold; a missing or unreadable value reads as white.
TCustomColors ReadCustomColors();
void WriteCustomColors(const TCustomColors &colors);

// Settings -> the colour dialog's custom colours, and back.
void LoadCustomColors();
void SaveCustomColors();

// One stored value: hexadecimal digits, optionally after "$"; anything
// else gives white.
TColor ParseCustomColor(const QString &text);

} // namespace tessaro
