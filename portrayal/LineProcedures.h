#pragma once
// The procedures of line features: QUAPOS01 (quality of position, with
// S-52 QUALIN01), DEPCNT03 (depth contours) and the line form of OBSTRN06;
// shoreline constructions are in ShorelineConstruction.h. They work per edge:
// each BoundaryPart of the line gets its own instructions in the result's
// partInstructions, styled by the QUAPOS of the edge it came from (or of
// the line, where the edge has none): an edge of low accuracy is drawn
// LC(LOWACC21) on coastlines. Each empties the result's lists before
// filling them.
#include "ChartModel.h"
#include "DisplaySettings.h"
#include "ProcedureResult.h"

void lineQualityProcedure(const LineFeature& line, ProcedureResult& out);            // QUAPOS01
// DEPCNT03, with labels when contour labels are on; the contour at the
// safety contour's depth in DEPSC, 2 wide.
void depthContourProcedure(const LineFeature& line, const S57Cell& cell, const DisplaySettings& settings,
                           ProcedureResult& out);
// OBSTRN06: edges in black (low-accuracy edges in LOWACC31 / LOWACC41), and
// ISODGR01 in the result's own list when the obstruction is an isolated
// danger.
void lineObstructionProcedure(const LineFeature& line, const S57Cell& cell, const DisplaySettings& settings,
                              ProcedureResult& out);
