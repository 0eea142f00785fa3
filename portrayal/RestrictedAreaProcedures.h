#pragma once
// RESARE03 and RESTRN01: the centred symbol of a restricted area chosen from
// its RESTRN and CATREA lists, and (RESARE03) its boundary, whose form
// follows the area boundary style.
#include <string>
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "Instruction.h"
#include "ProcedureResult.h"

// RESARE03: appends one symbol and one boundary (a plain dashed CHMGD line
// with plain boundaries, else the family's complex line) and, except for
// a plain information area with RESTRN, raises the display priority to 6.
void restrictedAreaProcedure(const ChartFeature& area, const DisplaySettings& settings, ProcedureResult& out);

// RESTRN01: the restriction symbol of the feature's RESTRN, when it has one.
void restrictionProcedure(const ChartFeature& feature, std::vector<Instruction>& out);

// Appends exactly one symbol for the RESTRN list `restrn`; no boundary, no
// change of priority. Also used by the depth-area procedure.
void restrictionSymbols(const std::string& restrn, std::vector<Instruction>& out);
