#pragma once
// Reviewing an update: where it changed the chart, marked over whatever the
// pass drew, as S-52 marks changes: CHCRID01 on each feature the update
// inserted or modified (at a point's position, along a line and round an
// area's edges at the middle of each of their parts, and at an area's
// centre), CHCRDEL1 where it deleted one.
#include <vector>

#include "Canvas.h"
#include "ChartModel.h"
#include "ViewGeometry.h"

struct ChangeMark {
  ChartPoint at;
  bool deleted = false;
};

// The marks of update `number` of `cell` (none when the cell did not take it).
std::vector<ChangeMark> changeMarks(const S57Cell& cell, int number);

// Draws the marks in view, with the painter set up for `view` (setupPainter).
void drawChangeMarks(const Canvas& canvas, const ViewGeometry& view, const std::vector<ChangeMark>& marks);
