#include "LineProcedures.h"

#include "ContourLabel.h"
#include "DisplaySettings.h"
#include "HazardDepth.h"
#include "ProcedureSupport.h"

namespace {
constexpr int kCoastlineClass = 30;  // COALNE

const std::string& edgeQuapos(const BoundaryPart& part) {
  static const std::string none;
  for (const EdgeAttribute& a : part.edgeAttributes)
    if (a.code == "402") return a.value;
  return none;
}

void startRun(LineFeature& line) {
  line.procedureInstructions.clear();
  for (BoundaryPart& part : line.parts) part.instructions.clear();
  line.proceduresRan = 1;
}
}  // namespace

void shorelineConstructionProcedure(LineFeature& line) {
  startRun(line);
  const std::string& condtn = line.findAttribute("CONDTN");
  const std::string& catslc = line.findAttribute("CATSLC");
  const std::string& watlev = line.findAttribute("WATLEV");
  for (BoundaryPart& part : line.parts) {
    if (lowAccuracyPosition(edgeQuapos(part)))
      part.instructions.push_back(complexLineInstruction("LOWACC21"));
    else if (isOneOf(condtn, {"1", "2"}))  // under construction, ruined
      part.instructions.push_back(lineInstruction(2, 1, "CSTLN"));
    else if (isOneOf(catslc, {"6", "15", "16"}))  // wharves, quays
      part.instructions.push_back(lineInstruction(1, 4, "CSTLN"));
    else if (isOneOf(watlev, {"3", "4"}))
      part.instructions.push_back(lineInstruction(2, 2, "CSTLN"));
    else
      part.instructions.push_back(lineInstruction(1, 2, "CSTLN"));
  }
}

void lineQualityProcedure(LineFeature& line) {
  startRun(line);
  const bool radarConspicuous = line.objectClass == kCoastlineClass && line.findAttribute("CONRAD") == "1";
  for (BoundaryPart& part : line.parts) {
    if (!lowAccuracyPosition(edgeQuapos(part)) && radarConspicuous)
      part.instructions.push_back(lineInstruction(1, 3, "CHMGF"));
    part.instructions.push_back(lineInstruction(1, 1, "CSTLN"));
  }
}

void depthContourProcedure(LineFeature& line) {
  startRun(line);
  const float valdco = attributeFloat(line, "VALDCO");
  const bool labels = displaySettings().contourLabels;
  for (BoundaryPart& part : line.parts) {
    part.instructions.push_back(lineInstruction(lowAccuracyPosition(edgeQuapos(part)) ? 2 : 1, 1, "DEPCN"));
    if (labels) contourLabel(line, valdco, part.instructions);
  }
}

void lineObstructionProcedure(LineFeature& line, const S57Cell& cell) {
  startRun(line);
  const std::string& valsou = line.findAttribute("VALSOU");
  float depth;
  if (!valsou.empty()) {
    depth = attributeFloat(line, "VALSOU");
  } else {
    depth = shallowestUnderlyingDepthOverPoints(line, line.findAttribute("WATLEV"), line.findAttribute("EXPSOU"),
                                                cell, line.vertices);
    if (depth == kUnknownDepth) depth = obstructionDepthWithoutSounding(line);
  }
  std::string symbol;
  const bool danger = underwaterHazardOverPoints(line, depth, line.vertices, symbol, cell);

  // Solid unless the sounding is deeper than the hazard depth.
  const int style = valsou.empty() || depth <= displaySettings().hazardDepth ? 1 : 2;
  for (BoundaryPart& part : line.parts) {
    const std::string& quapos = edgeQuapos(part);
    if (isOneOf(quapos, {"2", "3", "4", "5", "6", "7", "8", "9"}))
      part.instructions.push_back(complexLineInstruction(danger ? "LOWACC41" : "LOWACC31"));
    else
      part.instructions.push_back(lineInstruction(!quapos.empty() && danger ? 1 : style, 2, "CHBLK"));
  }
  if (danger) line.procedureInstructions.push_back(symbolInstruction(symbol));
}

bool runLineProcedure(const std::string& name, LineFeature& line, const S57Cell& cell) {
  if (name == "SLCONS03")
    shorelineConstructionProcedure(line);
  else if (name == "QUAPOS01")
    lineQualityProcedure(line);
  else if (name == "DEPCNT03")
    depthContourProcedure(line);
  else if (name == "OBSTRN06")
    lineObstructionProcedure(line, cell);
  else
    return false;
  return true;
}
