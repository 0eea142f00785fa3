#pragma once
#include <QColor>
#include <array>

#include "ColourToken.h"

// One colour scheme: an RGB colour per colour index, or an invalid QColor
// when the colour file gave no usable value for that token in that scheme.
struct ColourTable {
  std::array<QColor, kColourCount> entries{};
};

// The five colour schemes, in the order of the tables held by the library.
enum class ColourScheme { DAY_BRIGHT = 0, DUSK = 1, DAY_BLACKBACK = 2, DAY_WHITEBACK = 3, NIGHT = 4 };
constexpr int kColourSchemeCount = 5;
