#pragma once
// Drawing one line feature in a draw pass: its visibility, the whole line
// thinned and clipped, its look-up instructions, the result of its line
// procedures, and the per-edge instructions those built, each over the
// points of its own edge.
#include "ChartModel.h"
#include "DrawContext.h"
#include "ProcedureResult.h"

// Draws the line. Nothing is drawn when the tests of FeatureVisibility.h
// keep it out (its scale range, lineShown), when thinning leaves fewer than
// two points or when nothing of it comes near the viewport. A line shown
// outside its dates gets the date indication at its anchor.
void drawLine(DrawContext& dc, const LineFeature& line, const S57Cell& cell);
