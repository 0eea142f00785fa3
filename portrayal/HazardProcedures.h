#pragma once
// The hazard procedures: isolated obstructions and rocks (OBSTRN06 on
// points), wrecks (WRECKS04), the quality-of-position mark (QUAPOS01 on
// points) and obstruction areas (OBSTRN06 on areas). Each appends to the
// feature's generated list; the caller empties it first.
#include <string>

#include "ChartModel.h"

// "LOWACC01" when low-accuracy marks are switched on and the point's QUAPOS
// is one of 2 to 9; "" otherwise.
std::string lowAccuracyTest(const PointFeature& point);
// The same over the QUAPOS edge attributes of the area's exterior parts.
std::string lowAccuracyTest(const AreaFeature& area);

void pointObstruction(PointFeature& point, const S57Cell& cell);
void wreckProcedure(PointFeature& point, const S57Cell& cell);
void pointQuality(PointFeature& point);
void areaObstructionProcedure(AreaFeature& area, const S57Cell& cell);
