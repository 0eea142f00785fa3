#pragma once
// The point an area's symbols and texts are drawn at.
#include "ChartModel.h"

// The centroid of the ring of exterior vertices (the last vertex joined to
// the first), chart units, computed on first need and kept in the feature's
// areaCentreX / areaCentreY. An outline that encloses no area (a line, a
// point, a ring that cancels itself out) gets the middle of its vertices'
// box instead; an area without vertices stays at (-10000, -10000).
ChartPoint areaCentre(AreaFeature& area);

// The centroid alone, without the cache; false when the ring encloses no area.
bool ringCentroid(const std::vector<ChartVertex>& ring, ChartPoint& centre);
