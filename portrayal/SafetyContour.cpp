#include "SafetyContour.h"

#include "DepthAreaEdges.h"
#include "ProcedureSupport.h"
#include "S57Vocabulary.h"

bool isSafetyContourLine(const LineFeature& line, const S57Cell& cell, const DisplaySettings& settings) {
  if (line.objectClass != s57::DEPCNT) return false;
  const std::string& valdco = line.findAttribute("VALDCO");
  if (valdco.empty()) return false;
  const float depth = attributeFloat(line, "VALDCO");
  return depth == settings.safetyContour || depth == depthAreaEdges(cell).safetyDepth(settings.safetyContour);
}

void safetyContourEdges(const AreaFeature& area, const S57Cell& cell, const DisplaySettings& settings,
                        std::vector<std::vector<Instruction>>& parts) {
  const DepthAreaEdges& edges = depthAreaEdges(cell);
  const float safety = edges.safetyDepth(settings.safetyContour);
  if (!(drval1Of(area) < safety)) return;
  if (edges.hasContourAt(safety)) return;  // that depth contour is the safety contour
  for (std::size_t i = 0; i < area.exteriorParts.size(); ++i) {
    const AreaFeature* across = edges.areaAcross(area, area.exteriorParts[i]);
    if (!across || !(drval1Of(*across) >= safety)) continue;
    if (parts.empty()) parts.resize(area.exteriorParts.size());
    parts[i].push_back(lineInstruction(1, 2, "DEPSC"));
  }
}
