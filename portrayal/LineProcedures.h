#pragma once
// The procedures of line features: SLCONS03 (shoreline constructions),
// QUAPOS01 (quality of position), DEPCNT03 (depth contours) and the line
// form of OBSTRN06. They work per edge: each BoundaryPart of the line gets
// its own instructions, styled by the QUAPOS of the edge it came from. Each
// procedure empties the line's procedure list and every part's list before
// filling them, and sets proceduresRan. When to run them is the caller's
// choice (line portrayal).
#include <string>

#include "ChartModel.h"

void shorelineConstructionProcedure(LineFeature& line);  // SLCONS03
void lineQualityProcedure(LineFeature& line);            // QUAPOS01
void depthContourProcedure(LineFeature& line);           // DEPCNT03, labels when contour labels are on
// OBSTRN06: edges in black (low-accuracy edges in LOWACC31 / LOWACC41), and
// ISODGR01 in the line's procedure list when the obstruction is an isolated
// danger.
void lineObstructionProcedure(LineFeature& line, const S57Cell& cell);

// Runs the procedure of that name; false (and nothing changed) for a name
// that is not a line procedure.
bool runLineProcedure(const std::string& name, LineFeature& line, const S57Cell& cell);
