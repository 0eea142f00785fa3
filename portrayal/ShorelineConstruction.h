#pragma once
// SLCONS03, shoreline constructions (breakwaters, moles, wharves, ...) in
// all three forms. Lines and the boundaries of areas are drawn in the
// coastline colour by the construction's state and kind: dashed 1 wide when
// under construction or ruined (CONDTN 1, 2), solid 4 wide for wharves and
// quays (CATSLC 6, 15, 16), dashed 2 wide where it covers and uncovers or
// is awash (WATLEV 3, 4), else solid 2 wide; an edge of low accuracy (its
// vector's QUAPOS, or failing that the feature's, given and none of 1, 10,
// 11) is drawn LC(LOWACC21). A point is marked LOWACC01 where its position
// is of low accuracy (its look-up draws the construction's symbol).
#include "ChartModel.h"
#include "ProcedureResult.h"

// Lines: one list per part in the result's partInstructions.
void shorelineConstructionProcedure(const LineFeature& line, ProcedureResult& out);
// Areas: the boundary style in the result's own list when no edge is of low
// accuracy; else one list per exterior part, then per interior part.
void shorelineConstructionProcedure(const AreaFeature& area, ProcedureResult& out);
// Points: SY(LOWACC01) in the result's own list, or nothing.
void shorelineConstructionProcedure(const PointFeature& point, ProcedureResult& out);
