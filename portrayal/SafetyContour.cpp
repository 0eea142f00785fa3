#include "SafetyContour.h"

#include "CellFinishing.h"
#include "DepthAreaEdges.h"
#include "HazardDepth.h"
#include "ProcedureSupport.h"
#include "S57Vocabulary.h"

bool isSafetyContourLine(const LineFeature& line, const S57Cell& cell, const DisplaySettings& settings) {
  if (line.objectClass != s57::DEPCNT) return false;
  const std::string& valdco = line.findAttribute("VALDCO");
  if (valdco.empty()) return false;
  const float depth = attributeFloat(line, "VALDCO");
  return depth == settings.safetyContour || depth == depthAreaEdges(cell).safetyDepth(settings.safetyContour);
}

namespace {
// The depth area, other than `self`, that holds the middle of a part, or
// null: where depth areas overlap instead of sharing edges (a dredged
// channel laid over the depth area around it), the part's middle tells
// what lies beside it.
const AreaFeature* depthAreaAround(const AreaFeature& self, const BoundaryPart& part, const S57Cell& cell) {
  if (part.count == 0 || part.offset + part.count > self.exteriorVertices.size()) return nullptr;
  const ChartVertex* v = self.exteriorVertices.data() + part.offset;
  const std::uint32_t middle = part.count / 2;
  ChartPoint at = v[middle].point;
  if (part.count % 2 == 0 && middle > 0)  // between the two middle vertices
    at = ChartPoint{(v[middle - 1].point.x + at.x) / 2, (v[middle - 1].point.y + at.y) / 2};
  const AreaFeature* found = nullptr;
  for (const auto& area : cell.areas) {
    if (area.get() == &self || !isDepthArea(*area) || !pointInArea(at, *area)) continue;
    if (!found || drval1Of(*area) < drval1Of(*found)) found = area.get();  // the shallowest
  }
  return found;
}
}  // namespace

void safetyContourEdges(const AreaFeature& area, const S57Cell& cell, const DisplaySettings& settings,
                        std::vector<std::vector<Instruction>>& parts) {
  const DepthAreaEdges& edges = depthAreaEdges(cell);
  const float safety = edges.safetyDepth(settings.safetyContour);
  // Drawn from the deep side: every edge of a depth area as deep as the
  // safety depth with shallower water beyond it.
  if (!(drval1Of(area) >= safety)) return;
  if (edges.hasContourAt(safety)) return;  // that depth contour is the safety contour
  for (std::size_t i = 0; i < area.exteriorParts.size(); ++i) {
    const BoundaryPart& part = area.exteriorParts[i];
    const AreaFeature* across = edges.areaAcross(area, part);
    if (!across && !edges.sharedByAnother(area, part)) across = depthAreaAround(area, part, cell);
    if (!across || !(drval1Of(*across) < safety)) continue;
    if (parts.empty()) parts.resize(area.exteriorParts.size());
    parts[i].push_back(lineInstruction(1, 2, "DEPSC"));
  }
}
