#pragma once
// DEPARE02: the depth shade of depth and dredged areas (S-52 SEABED01), the
// dredged-area pattern and boundary, and the restriction symbol of RESTRN.
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "Instruction.h"

// Appends the depth colour (and shallow pattern), for dredged areas the
// DRGARE01 pattern and a dashed CHGRF boundary, then the restriction symbol
// when RESTRN is set. DRVAL1 defaults to -1, DRVAL2 to DRVAL1 + 0.1.
void depthAreaProcedure(const AreaFeature& area, const DisplaySettings& settings, std::vector<Instruction>& out);

// SEABED01: appends the AC of the depth shade for the range d1..d2 against
// the shallow, safety and deep contours, and the DIAMOND1 pattern when the
// shallow pattern is switched on and the area is shallower than the safety
// contour.
void depthAreaColour(float d1, float d2, const DisplaySettings& settings, std::vector<Instruction>& out);
