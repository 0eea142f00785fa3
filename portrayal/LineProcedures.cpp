#include "LineProcedures.h"

#include "ContourLabel.h"
#include "HazardDepth.h"
#include "ProcedureSupport.h"
#include "S57Vocabulary.h"
#include "SafetyContour.h"

namespace {
const std::string& edgeQuapos(const BoundaryPart& part) {
  static const std::string none;
  for (const EdgeAttribute& a : part.edgeAttributes)
    if (a.code == "402") return a.value;  // QUAPOS
  return none;
}

// QUALIN01: the position of an edge is of low accuracy when the QUAPOS of
// its vector, or failing that of the line itself, is given and none of 1,
// 10, 11.
bool lowAccuracyEdge(const LineFeature& line, const BoundaryPart& part) {
  const std::string& edge = edgeQuapos(part);
  return lowAccuracyPosition(edge.empty() ? line.findAttribute("QUAPOS") : edge);
}

// Empties the result's lists and gives it one list per part.
void startRun(const LineFeature& line, ProcedureResult& out) {
  out.instructions.clear();
  out.partInstructions.assign(line.parts.size(), {});
}
}  // namespace

void lineQualityProcedure(const LineFeature& line, ProcedureResult& out) {
  startRun(line, out);
  const bool radarConspicuous = line.objectClass == s57::COALNE && line.findAttribute("CONRAD") == "1";
  for (std::size_t i = 0; i < line.parts.size(); ++i) {
    std::vector<Instruction>& edge = out.partInstructions[i];
    if (lowAccuracyEdge(line, line.parts[i])) {
      edge.push_back(complexLineInstruction("LOWACC21"));
      continue;
    }
    if (radarConspicuous) edge.push_back(lineInstruction(LineDash::Solid, 3, "CHMGF"));
    edge.push_back(lineInstruction(LineDash::Solid, 1, "CSTLN"));
  }
}

void depthContourProcedure(const LineFeature& line, const S57Cell& cell, const DisplaySettings& settings,
                           ProcedureResult& out) {
  startRun(line, out);
  const float valdco = attributeFloat(line, "VALDCO");
  const bool safety = isSafetyContourLine(line, cell, settings);
  for (std::size_t i = 0; i < line.parts.size(); ++i) {
    std::vector<Instruction>& edge = out.partInstructions[i];
    const LineDash style = lowAccuracyPosition(edgeQuapos(line.parts[i])) ? LineDash::Dashed : LineDash::Solid;
    edge.push_back(safety ? lineInstruction(style, 2, "DEPSC") : lineInstruction(style, 1, "DEPCN"));
    if (settings.contourLabels) contourLabel(line, valdco, settings, edge);
  }
}

void lineObstructionProcedure(const LineFeature& line, const S57Cell& cell, const DisplaySettings& settings,
                              ProcedureResult& out) {
  startRun(line, out);
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
  const bool danger = underwaterHazardOverPoints(line, depth, line.vertices, symbol, cell, settings, out);

  // Solid unless the sounding is deeper than the hazard depth.
  const LineDash style = valsou.empty() || depth <= settings.hazardDepth ? LineDash::Solid : LineDash::Dashed;
  for (std::size_t i = 0; i < line.parts.size(); ++i) {
    const std::string& quapos = edgeQuapos(line.parts[i]);
    std::vector<Instruction>& edge = out.partInstructions[i];
    if (isOneOf(quapos, {"2", "3", "4", "5", "6", "7", "8", "9"}))
      edge.push_back(complexLineInstruction(danger ? "LOWACC41" : "LOWACC31"));
    else
      edge.push_back(lineInstruction(!quapos.empty() && danger ? LineDash::Solid : style, 2, "CHBLK"));
  }
  if (danger) out.instructions.push_back(symbolInstruction(symbol));
}
