#pragma once
// Drawing one point feature in a draw pass: the viewport test, the result of
// its procedures (lights, wrecks, obstructions and rocks, quality marks,
// topmarks), and its symbols, texts, light legs and sector arcs.
#include "ChartModel.h"
#include "DrawContext.h"

// Draws the point. A point off the drawing surface (edges count as on it)
// is not drawn and runs no procedure; neither is a point outside its dates
// or scale range or whose display category (as the procedures left it) is
// not admitted. The look-up's instructions come first, then the
// procedures', except that a topmark's procedure symbol shows only with
// paper-chart symbols, then the date indication of a point shown outside
// its dates.
void drawPoint(DrawContext& dc, const PointFeature& point, const S57Cell& cell);
