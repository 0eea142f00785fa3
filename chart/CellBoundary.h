#pragma once
// The frame and name of a cell, drawn over the chart when cell boundaries
// are switched on.
#include "ChartModel.h"
#include "TextDrawing.h"
#include "ViewGeometry.h"

class QPainter;

// Blue, 30 units wide, no fill: the cell's bounding box, and its name 100
// units in from the box's top-left corner. With `names`, the name takes
// part in text decluttering: it is drawn only when its box is free of the
// names placed before it in the pass (claimTextBox), so the names of many
// small cells at a small scale do not pile up. Edges further than 1e9
// logical units out (a view of scale 0, say) are drawn at that distance.
void drawCellBoundary(QPainter& painter, const S57Cell& cell, const ViewGeometry& view,
                      TextBoxList* names = nullptr);
