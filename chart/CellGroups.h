#pragma once
// Cells near one another, for a first view that shows cells rather than
// the ocean between them: a portfolio spread over the world (a harbour in
// China, approaches in the United States) is shown where most of its cells
// lie, not as the box round all of them.
#include <vector>

#include "ChartModel.h"

struct ViewGeometry;

// The largest group of the cells (by number; at equal numbers the one whose
// boxes cover more): two cells belong to one group when the gap between their
// bounding boxes is no wider than the larger side of either box (cells that
// touch or overlap always do), and groups are closed under that. Boxes are
// compared across the 180th meridian too. Cells without extents belong to
// none; in list order.
std::vector<S57Cell*> largestCellGroup(const std::vector<S57Cell*>& cells);

// Fits the view to the largest group (ViewFitting.h), at a scale where its
// cells are drawn: never smaller than a fiftieth of the least detailed
// compilation scale among them (a cell is drawn up to a hundred times it).
// False, the view unchanged, when no cell has extents.
bool fitViewToLargestGroup(const std::vector<S57Cell*>& cells, ViewGeometry& view);
