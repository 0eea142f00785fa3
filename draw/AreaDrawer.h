#pragma once
// Drawing one area feature in a draw pass: its outline brought to the
// canvas, the result of its conditional procedures, and every instruction
// executed (fills, patterns, boundaries, and symbols and texts at the
// area's centre).
#include "ChartModel.h"
#include "DrawContext.h"

// Draws the area. Nothing is drawn when the tests of FeatureVisibility.h
// keep it out (its class, the mariner's viewing groups, its scale range,
// the display category as the procedures left it) or when the clipped
// outline keeps fewer than two vertices. The look-up's instructions come
// first, then the procedures', then the date indication of an area shown
// outside its dates.
// An area whose procedures styled some of its edges is listed in the
// context's styledEdges for drawAreaEdges.
void drawArea(DrawContext& dc, const AreaFeature& area, const S57Cell& cell);

// The edges the procedures styled, of every area listed since the cell
// started, each along its own polyline: the exterior parts, then the
// interior parts.
void drawStyledEdges(DrawContext& dc);
