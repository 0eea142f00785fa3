#pragma once
// Drawing one line feature in a draw pass: its visibility, the whole line
// thinned and clipped, its look-up instructions, the result of its line
// procedures, and the per-edge instructions those built, each over the
// points of its own edge.
#include "ChartModel.h"
#include "DrawContext.h"
#include "ProcedureResult.h"

// Depth contours (DEPCNT) show whenever depth contours are switched on,
// whatever the display category, and the safety contour always; other
// lines when the category (as the procedures left it) admits them.
bool lineShown(const LineFeature& line, const S57Cell& cell, const ProcedureResult* result,
               const DisplaySettings& settings);

// Draws the line. Nothing is drawn when it is outside its dates or scale
// range, not shown, when thinning leaves fewer than two points or when
// nothing of it comes near the viewport. A line shown outside its dates
// gets the date indication at its anchor.
void drawLine(DrawContext& dc, const LineFeature& line, const S57Cell& cell);
