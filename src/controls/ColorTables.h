// The fixed colour tables of the colour selection controls: the palette
// grid's standard and HTML colours, and the colour picker's buttons.
#pragma once

#include "core/Types.h"

#include <array>

namespace tessaro {

// 99 standard colours in grid order ($80FF80, $00FF00 and $80FFFF occur twice).
extern const std::array<TColor, 99> StandardColors;
// 140 HTML colours in grid order ($0B0000 occurs twice).
extern const std::array<TColor, 140> HTMLColors;

// The picker's button colours. Index 0 belongs to the custom-colour button and
// holds no fixed colour; 1..56 are the basic colours in rows of eight, 57..83
// the system colours.
constexpr int PickerBasicCount = 56;
constexpr int PickerSystemCount = 27;
constexpr int PickerColorCount = 1 + PickerBasicCount + PickerSystemCount; // 84
extern const std::array<TColor, PickerColorCount> PickerColors;
// Hints of the system colour buttons, in the order of PickerColors 57..83.
extern const std::array<const char *, PickerSystemCount> PickerSystemColorNames;

} // namespace tessaro
