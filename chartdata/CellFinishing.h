#pragma once
// The finishing steps of a freshly assembled cell that need only the model:
// extents, light lists and draw order. Centring a view on the cell is done
// by the chart layer (finishCell), which owns the views.
#include "ChartModel.h"

// The cell's extent: one box that holds all its geometry (every area, its
// coverage among them, line, point and sounding); the bounding box is that
// box and the centre its middle. A cell without any geometry keeps no
// extent box and a zero bounding box.
void computeExtents(S57Cell& cell);

// Every light (class 75) in point order into `lights`, the lights without
// sectors also into `nonSectorLights`.
void collectLights(S57Cell& cell);

// Draw order: areas by display priority then class, with depth areas deepest
// first so that shallower and nested depth areas are painted over the areas
// around them; lines by priority then class; points by priority; soundings
// stay in file order.
void orderFeatures(S57Cell& cell);

// True when the light has no sector: SECTR1 or SECTR2 absent, both equal, or
// exactly "0.00" and "360.00" in either order.
bool isNonSectorLight(const ChartFeature& light);

// Even-odd test of a point against the ring of the area's exterior
// vertices (closed back to the first vertex), after a check against the
// area's cached bounds. Interior boundaries are not consulted.
bool pointInArea(const ChartPoint& p, const AreaFeature& area);
