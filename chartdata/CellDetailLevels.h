#pragma once
// Makes a cell's levels of detail (DetailLevels.h) once, while it loads.
// Features share edges (a coastline and the land and depth areas on either
// side of it run along the same edge), so the edges are simplified, not the
// features: each edge once per level, all of a level's edges together
// (LineSimplification.h), so that neighbours stay joined along their edge,
// an edge keeps its end nodes, and no simplified edge crosses another. An
// edge is known by its vertices, whichever feature and direction it comes
// with. Each feature's vertex list then keeps, per level, the vertices its
// edges keep; areas stay closed and holes stay rings.
#include "ChartModel.h"

// Sets the cell's detailTolerances and every line's and area's levels. A
// level of tolerance 0 is not made. A vertex list whose parts do not lie one
// after the other through the whole list has no levels (it is drawn whole),
// and the others keep clear of it.
void buildDetailLevels(S57Cell& cell, const DetailTolerances& tolerances);
