#pragma once
// The geometry of finding objects at a chart position: whether an area holds
// the position, and whether a run of vertices passes near it. Chart units
// throughout.
#include <cstddef>

#include "ChartModel.h"

// Whether `p` lies in the area as its fill covers it: odd-even over the
// exterior (every exterior vertex, closed back to the first) and the rings
// of its holes (AreaFeature::holes), as the fill takes them.
// A position on the boundary of any ring counts as in the area, so the edge
// of a hole belongs to the area around it.
bool areaContains(const AreaFeature& area, const ChartPoint& p);

// Whether some segment of the run of `count` vertices passes within
// `distance` of `p` (a single vertex counts as a point).
bool polylineWithin(const ChartVertex* vertices, std::size_t count, const ChartPoint& p, double distance);
