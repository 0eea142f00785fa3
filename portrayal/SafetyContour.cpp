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
// The depth area, other than `self`, that holds the middle of a part of
// `ring` (the area's exterior or interior vertices), or null: where depth
// areas overlap instead of sharing edges (a dredged channel laid over the
// depth area around it), the part's middle tells what lies beside it.
const AreaFeature* depthAreaAround(const AreaFeature& self, const std::vector<ChartVertex>& ring,
                                   const BoundaryPart& part, const S57Cell& cell) {
  if (part.count == 0 || part.offset + part.count > ring.size()) return nullptr;
  const ChartVertex* v = ring.data() + part.offset;
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

// Whether the water beyond a part of a safe depth area's boundary is not
// safe: an area that never is (land, a pontoon, ...) along it, or a depth
// area shallower than the safety depth. Between two depth areas the depth
// contour of the safety depth, where the cell has one, is the safety
// contour already; a dredged area's limit has no depth contour along it.
bool unsafeBeyond(const AreaFeature& area, const std::vector<ChartVertex>& ring, const BoundaryPart& part,
                  const S57Cell& cell, const DepthAreaEdges& edges, float safety, bool contourAtSafety) {
  if (edges.neverSafeAlong(part)) return true;
  const AreaFeature* across = edges.areaAcross(area, part);
  if (!across && !edges.sharedByAnother(area, part)) across = depthAreaAround(area, ring, part, cell);
  if (!across || !(drval1Of(*across) < safety)) return false;
  return !contourAtSafety || across->objectClass == s57::DRGARE || area.objectClass == s57::DRGARE;
}
}  // namespace

void safetyContourEdges(const AreaFeature& area, const S57Cell& cell, const DisplaySettings& settings,
                        std::vector<std::vector<Instruction>>& parts) {
  const DepthAreaEdges& edges = depthAreaEdges(cell);
  const float safety = edges.safetyDepth(settings.safetyContour);
  // Drawn from the safe side: every edge of a depth area as deep as the
  // safety depth with unsafe water beyond it, round its holes too (an
  // island is a hole in the depth area round it).
  if (!(drval1Of(area) >= safety)) return;
  const bool contourAtSafety = edges.hasContourAt(safety);
  const std::size_t exterior = area.exteriorParts.size();
  const std::size_t total = exterior + area.interiorParts.size();
  for (std::size_t i = 0; i < total; ++i) {
    const bool outer = i < exterior;
    const BoundaryPart& part = outer ? area.exteriorParts[i] : area.interiorParts[i - exterior];
    const std::vector<ChartVertex>& ring = outer ? area.exteriorVertices : area.interiorVertices;
    if (!unsafeBeyond(area, ring, part, cell, edges, safety, contourAtSafety)) continue;
    if (parts.empty()) parts.resize(total);
    parts[i].push_back(lineInstruction(LineDash::Solid, 2, "DEPSC"));
  }
}
