#pragma once
// One cell of the synthetic portfolio: its coverage (M_COVR) and system of
// marks (M_NSYS) over the whole cell, land west of the coast, the depth areas
// between the coast and the band's contours with their contour lines, banks
// (shallower depth areas inside deeper ones, cut out of them as holes),
// soundings, lights on the coast and buoys with their topmarks and lights.
// How many of each grows from band 2 to band 5, as real cells' do. The
// contents depend on nothing but the planned cell, so a cell comes out the
// same every time.
#include "PortfolioPlan.h"
#include "S57Writer.h"

namespace portfolio {

s57write::S57Writer portfolioCell(const PlannedCell& cell);

}  // namespace portfolio
