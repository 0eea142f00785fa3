#pragma once
// The hazard procedures: isolated obstructions and rocks (OBSTRN06 on
// points), wrecks (WRECKS04), the quality-of-position mark of points
// (QUAPOS01 with S-52 QUAPNT02) and obstruction areas (OBSTRN06 on areas).
// Each appends to the result's instruction list and may change how the
// feature is shown through the result.
#include <string>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "ProcedureResult.h"

// QUAPNT02: "LOWACC01" when low-accuracy marks are switched on and the
// point's QUAPOS is one of 2 to 9; "" otherwise.
std::string lowAccuracyTest(const PointFeature& point, const DisplaySettings& settings);
// The same over the QUAPOS edge attributes of the area's exterior parts.
std::string lowAccuracyTest(const AreaFeature& area, const DisplaySettings& settings);

void pointObstructionProcedure(const PointFeature& point, const S57Cell& cell, const DisplaySettings& settings,
                      ProcedureResult& out);
void wreckProcedure(const PointFeature& point, const S57Cell& cell, const DisplaySettings& settings,
                    ProcedureResult& out);
void pointQualityProcedure(const PointFeature& point, const DisplaySettings& settings, ProcedureResult& out);
void areaObstructionProcedure(const AreaFeature& area, const S57Cell& cell, const DisplaySettings& settings,
                              ProcedureResult& out);
