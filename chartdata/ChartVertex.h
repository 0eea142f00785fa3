#pragma once
// One geometry vertex of a feature, in chart units.
#include <cstdint>

#include "MercatorProjection.h"

// `usage` is 0 for points and lines; area boundary vertices carry the USAG
// of the spatial pointer that produced them.
struct ChartVertex {
  ChartPoint point;
  std::uint8_t usage = 0;
};
