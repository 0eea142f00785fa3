#pragma once
// The safety contour: the contour that bounds the water deep enough for the
// ship, which a mariner steers by. Its depth is the safety contour setting
// where the cell has a contour or depth area boundary there, else the next
// deeper one the cell has (water between the two counts as too shallow),
// else, in a cell with no water that deep, its deepest. It is the depth
// contour whose VALDCO is that depth; where the cell has none, it is every
// edge between a depth area shallower than that depth and one as deep or
// deeper. It is drawn LS(SOLD,2,DEPSC) in the base display, whether depth
// contours are shown or not.
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "Instruction.h"

// Whether the line is a depth contour at the cell's safety contour depth.
bool isSafetyContourLine(const LineFeature& line, const S57Cell& cell, const DisplaySettings& settings);

// For a depth area as deep as the cell's safety contour depth, in a cell
// without a depth contour of that depth: LS(SOLD,2,DEPSC) in `parts` (one
// list per exterior part, made when the first is needed) for every exterior
// edge with shallower water beyond it: a shallower depth area sharing the
// edge, or, where no other area shares it (overlapping depth areas), the
// shallowest depth area around the edge's middle. An edge along land or the
// cell's limit has no depth area beyond it and is not drawn.
void safetyContourEdges(const AreaFeature& area, const S57Cell& cell, const DisplaySettings& settings,
                        std::vector<std::vector<Instruction>>& parts);
