#pragma once
// The frame and name of a cell, drawn over the chart when cell boundaries
// are switched on.
#include "ChartModel.h"
#include "TextPlacement.h"
#include "ViewGeometry.h"

class QPainter;

// Blue, 30 units wide, no fill: the cell's bounding box, and its name 100
// units in from the box's top-left corner (220 units a byte, 300 high).
// With `texts`, the name is handed to the view's placement as that of the
// cell at `order` in the pass (`drawn` when the pass draws the cell, whose
// name then goes before those of cells only framed), and is drawn only
// where it finds room among
// the texts of the view, so the names of many small cells at a small scale
// do not pile up; without, it is drawn at once. Edges further than 1e9
// logical units out (a view of scale 0, say) are taken at that distance.
// Only the part of the frame near the view is stroked: an edge beyond the
// view is moved in to just outside it (the sides that cross the view are
// the same either way), and a frame no side of which comes near the view
// is not stroked at all.
void drawCellBoundary(QPainter& painter, const S57Cell& cell, const ViewGeometry& view,
                      TextPlacement* texts = nullptr, int order = 0, bool drawn = true);
