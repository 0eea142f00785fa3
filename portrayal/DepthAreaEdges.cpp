#include "DepthAreaEdges.h"

#include <algorithm>
#include <memory>

#include "HazardDepth.h"
#include "ProcedureSupport.h"
#include "S57Vocabulary.h"

namespace {
// An edge's NAME (record name and record id) as one number; 0 for a part
// that came from no edge.
std::uint64_t edgeKey(const BoundaryPart& part) {
  std::uint64_t key = 0;
  for (std::uint8_t byte : part.edgeName) key = (key << 8) | byte;
  return key;
}

std::shared_ptr<const DepthAreaEdges> build(const S57Cell& cell) {
  auto edges = std::make_shared<DepthAreaEdges>();
  for (const auto& area : cell.areas) {
    const bool depth = isDepthArea(*area);
    const bool neverSafe = isNeverSafeWater(*area);
    // Holes count too: a dredged channel is often a hole in the depth area
    // around it, their common edges that area's interior boundary.
    for (const std::vector<BoundaryPart>* boundary : {&area->exteriorParts, &area->interiorParts}) {
      for (const BoundaryPart& part : *boundary) {
        const std::uint64_t key = edgeKey(part);
        if (key == 0) continue;
        DepthAreaEdges::Sides& sides = edges->edges[key];
        ++sides.users;
        sides.neverSafe = sides.neverSafe || neverSafe;
        if (depth && sides.count < 2 && (sides.count == 0 || sides.areas[0] != area.get()))
          sides.areas[sides.count++] = area.get();
      }
    }
    if (depth) edges->areaDepths.push_back(drval1Of(*area));
  }
  std::sort(edges->areaDepths.begin(), edges->areaDepths.end());
  edges->areaDepths.erase(std::unique(edges->areaDepths.begin(), edges->areaDepths.end()), edges->areaDepths.end());
  for (const auto& line : cell.lines) {
    if (line->objectClass != s57::DEPCNT || line->findAttribute("VALDCO").empty()) continue;
    edges->contourValues.push_back(attributeFloat(*line, "VALDCO"));
  }
  std::sort(edges->contourValues.begin(), edges->contourValues.end());
  edges->contourValues.erase(std::unique(edges->contourValues.begin(), edges->contourValues.end()),
                             edges->contourValues.end());
  return edges;
}
}  // namespace

bool DepthAreaEdges::hasContourAt(float depth) const {
  return std::binary_search(contourValues.begin(), contourValues.end(), depth);
}

float DepthAreaEdges::safetyDepth(float safety) const {
  float next = kUnknownDepth, deepest = kUnknownDepth;
  for (const std::vector<float>* depths : {&contourValues, &areaDepths}) {
    for (float d : *depths) {
      if (d >= safety && (next == kUnknownDepth || d < next)) next = d;
      if (deepest == kUnknownDepth || d > deepest) deepest = d;
    }
  }
  return next != kUnknownDepth ? next : deepest;
}

const AreaFeature* DepthAreaEdges::areaAcross(const AreaFeature& area, const BoundaryPart& part) const {
  const auto it = edges.find(edgeKey(part));
  if (it == edges.end()) return nullptr;
  for (int i = 0; i < it->second.count; ++i)
    if (it->second.areas[i] != &area) return it->second.areas[i];
  return nullptr;
}

const DepthAreaEdges& depthAreaEdges(const S57Cell& cell) {
  std::shared_ptr<const DepthAreaEdges> kept = cell.depthAreaEdges.load();
  if (!kept) kept = cell.depthAreaEdges.keepFirst(build(cell));
  return *kept;  // kept with the cell for good
}

bool DepthAreaEdges::sharedByAnother(const AreaFeature&, const BoundaryPart& part) const {
  const auto it = edges.find(edgeKey(part));
  return it != edges.end() && it->second.users > 1;
}

bool DepthAreaEdges::neverSafeAlong(const BoundaryPart& part) const {
  const auto it = edges.find(edgeKey(part));
  return it != edges.end() && it->second.neverSafe;
}

bool isNeverSafeWater(const ChartFeature& area) {
  switch (area.objectClass) {
    case s57::LNDARE:
    case s57::UNSARE:
    case s57::FLODOC:
    case s57::HULKES:
    case s57::PONTON: return true;
    default: return false;
  }
}

float drval1Of(const ChartFeature& area) {
  return area.findAttribute("DRVAL1").empty() ? -1.0f : attributeFloat(area, "DRVAL1");
}
