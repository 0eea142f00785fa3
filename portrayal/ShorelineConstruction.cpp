#include "ShorelineConstruction.h"

#include "HazardProcedures.h"
#include "ProcedureSupport.h"

namespace {
const std::string& edgeQuapos(const BoundaryPart& part) {
  static const std::string none;
  for (const EdgeAttribute& a : part.edgeAttributes)
    if (a.code == "402") return a.value;  // QUAPOS
  return none;
}

// QUALIN01: an edge is of low accuracy when the QUAPOS of its vector, or
// failing that of the feature itself, marks it so.
bool lowAccuracyEdge(const ChartFeature& feature, const BoundaryPart& part) {
  const std::string& edge = edgeQuapos(part);
  return lowAccuracyPosition(edge.empty() ? feature.findAttribute("QUAPOS") : edge);
}

// The line style of the construction, edges of low accuracy apart.
Instruction constructionStyle(const ChartFeature& feature) {
  if (isOneOf(feature.findAttribute("CONDTN"), {"1", "2"})) return lineInstruction(LineDash::Dashed, 1, "CSTLN");  // under construction, ruined
  if (isOneOf(feature.findAttribute("CATSLC"), {"6", "15", "16"})) return lineInstruction(LineDash::Solid, 4, "CSTLN");  // wharves, quays
  if (isOneOf(feature.findAttribute("WATLEV"), {"3", "4"})) return lineInstruction(LineDash::Dashed, 2, "CSTLN");
  return lineInstruction(LineDash::Solid, 2, "CSTLN");
}

void styleParts(const ChartFeature& feature, const std::vector<BoundaryPart>& parts, const Instruction& style,
                ProcedureResult& out) {
  for (const BoundaryPart& part : parts)
    out.partInstructions.push_back({lowAccuracyEdge(feature, part) ? complexLineInstruction("LOWACC21") : style});
}

bool anyLowAccuracyEdge(const ChartFeature& feature, const std::vector<BoundaryPart>& parts) {
  for (const BoundaryPart& part : parts)
    if (lowAccuracyEdge(feature, part)) return true;
  return false;
}
}  // namespace

void shorelineConstructionProcedure(const LineFeature& line, ProcedureResult& out) {
  out.instructions.clear();
  out.partInstructions.clear();
  styleParts(line, line.parts, constructionStyle(line), out);
}

void shorelineConstructionProcedure(const AreaFeature& area, ProcedureResult& out) {
  out.instructions.clear();
  out.partInstructions.clear();
  const Instruction style = constructionStyle(area);
  if (!anyLowAccuracyEdge(area, area.exteriorParts) && !anyLowAccuracyEdge(area, area.interiorParts)) {
    out.instructions.push_back(style);
    return;
  }
  styleParts(area, area.exteriorParts, style, out);
  styleParts(area, area.interiorParts, style, out);
}

void shorelineConstructionProcedure(const PointFeature& point, ProcedureResult& out) {
  out.instructions.clear();
  out.partInstructions.clear();
  const std::string low = lowAccuracyTest(point);
  if (!low.empty()) out.instructions.push_back(symbolInstruction(low));
}
