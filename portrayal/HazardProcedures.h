#pragma once
// The hazard procedures: isolated obstructions and rocks (OBSTRN06 on
// points), wrecks (WRECKS04, point and area), the quality-of-position mark
// of points (QUAPOS01 with S-52 QUAPNT02) and obstruction areas (OBSTRN06
// on areas).
// Each appends to the result's instruction list and may change how the
// feature is shown through the result.
#include <string>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "ProcedureResult.h"

// QUAPNT02: "LOWACC01" when the point's QUAPOS marks a position of low
// accuracy (given, and none of 1, 10, 11); "" otherwise.
std::string lowAccuracyTest(const PointFeature& point);
// The same for an area: its own QUAPOS, or that of any edge of its
// exterior boundary.
std::string lowAccuracyTest(const AreaFeature& area);

void pointObstructionProcedure(const PointFeature& point, const S57Cell& cell, const DisplaySettings& settings,
                      ProcedureResult& out);
void wreckProcedure(const PointFeature& point, const S57Cell& cell, const DisplaySettings& settings,
                    ProcedureResult& out);
void pointQualityProcedure(const PointFeature& point, ProcedureResult& out);
void areaObstructionProcedure(const AreaFeature& area, const S57Cell& cell, const DisplaySettings& settings,
                              ProcedureResult& out);
// The area form of WRECKS04: the wreck's depth from VALSOU or the depth
// areas under its outline, the danger test over the outline, then a
// dangerous wreck as DEPVS with a dotted black boundary and ISODGR01; one
// with a sounding as its boundary (dotted to 20 m, dashed deeper) and depth
// figures; any other by its water level (drying brown, awash DEPIT, else
// DEPVS with a dotted boundary). LOWACC01 where its position is of low
// accuracy.
void areaWreckProcedure(const AreaFeature& area, const S57Cell& cell, const DisplaySettings& settings,
                        ProcedureResult& out);
