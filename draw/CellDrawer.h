#pragma once
// One cell in a draw pass: its features kind by kind, each kind in the
// cell's prepared draw order.
#include "ChartModel.h"
#include "DrawContext.h"
#include "FeatureVisibility.h"

// Takes the level of detail of the cell the view's scale draws (or, when
// the pass leaves making levels to another thread, the finest made that is
// no more simplified, DrawContext::wantedLevels), empties the
// text boxes (without a view-wide placement, texts declutter
// within a cell), then draws the cell's areas, the area edges their procedures styled (over every fill),
// and lines; up to scale 500000 its points too, and below 500000 its
// soundings when soundings are shown.
void drawCell(DrawContext& dc, const S57Cell& cell);

// Whether a view at true scale `scale` stamps the cell's symbols
// (SymbolStamps.h) rather than drawing each in place: below the cell's
// compilation scale, where it shows many times as many of them as at its
// own scale. At that scale and above, every symbol is drawn in place.
bool stampsSymbolsAt(const S57Cell& cell, float scale);
