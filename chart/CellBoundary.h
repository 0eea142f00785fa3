#pragma once
// The frame and name of a cell, drawn over the chart when cell boundaries
// are switched on.
#include "ChartModel.h"
#include "ViewGeometry.h"

class QPainter;

// Blue, 30 units wide, no fill: the cell's bounding box, and its name 100
// units in from the box's top-left corner. Edges further than 1e9 logical
// units out (a view of scale 0, say) are drawn at that distance.
void drawCellBoundary(QPainter& painter, const S57Cell& cell, const ViewGeometry& view);
