#pragma once
// The safety contour: the contour that bounds the water deep enough for the
// ship, which a mariner steers by. Its depth is the safety contour setting
// where the cell has a contour or depth area boundary there, else the next
// deeper one the cell has (water between the two counts as too shallow),
// else, in a cell with no water that deep, its deepest. It is the depth
// contour whose VALDCO is that depth (where the cell has none, every edge
// between a depth area shallower than that depth and one as deep or
// deeper), and every edge between a depth area as deep as that and an area
// that is not safe water: land, an unsurveyed area, a floating dock, a hulk,
// a pontoon, or a dredged area shallower than that depth. It is drawn
// LS(SOLD,2,DEPSC) in the base display, whether depth contours are shown or
// not.
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "Instruction.h"

// Whether the line is a depth contour at the cell's safety contour depth.
bool isSafetyContourLine(const LineFeature& line, const S57Cell& cell, const DisplaySettings& settings);

// For a depth area as deep as the cell's safety contour depth:
// LS(SOLD,2,DEPSC) in `parts` (one list per boundary part, the exterior
// parts first and then the interior ones, made when the first is needed)
// for every edge, round the outside or a hole, with unsafe water beyond it:
// an area that is never safe water sharing the edge (isNeverSafeWater), or
// a shallower depth area sharing it or, where no other area shares it
// (overlapping depth areas), the shallowest depth area round the edge's
// middle. Edges between two depth areas are left to the depth contour of
// the safety depth where the cell has one, unless one of the two is a
// dredged area. An edge along the cell's limit has nothing beyond it and is
// not drawn.
void safetyContourEdges(const AreaFeature& area, const S57Cell& cell, const DisplaySettings& settings,
                        std::vector<std::vector<Instruction>>& parts);
