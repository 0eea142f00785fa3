#pragma once
// The point an area's symbols and texts are drawn at.
#include <vector>

#include "MercatorProjection.h"

struct ChartVertex;

// The centroid of the ring (the last vertex joined to the first), chart
// units. A ring that encloses no area (a line, a point, a ring that cancels
// itself out) gets the middle of its vertices' box instead; an empty ring
// gives (-10000, -10000).
ChartPoint areaCentre(const std::vector<ChartVertex>& ring);

// The centroid alone; false when the ring encloses no area.
bool ringCentroid(const std::vector<ChartVertex>& ring, ChartPoint& centre);
