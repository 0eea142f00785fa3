#include "CellCoverage.h"

#include <algorithm>
#include <cstdlib>

#include "Antimeridian.h"
#include "S57CellReader.h"
#include "S57Vocabulary.h"

namespace {

constexpr int kCategoryOfCoverage = 18;  // CATCOV: 1 coverage available, 2 no coverage

struct Position {
  std::int32_t y = 0, x = 0;
  bool operator==(const Position& o) const { return y == o.y && x == o.x; }
};

bool coverageAvailable(const FRID& f) {
  for (const ATTF_NATF& a : f.attributes)
    if (std::atoi(a.attributeCode.c_str()) == kCategoryOfCoverage) return std::atoi(a.attributeValue.c_str()) == 1;
  return false;
}

bool nodePosition(const S57CellReader& reader, const RecordName& name, Position& at) {
  const std::shared_ptr<VRID> node = reader.findVector(name);
  if (!node || node->coordinates2D.empty()) return false;
  at = {node->coordinates2D.front().YCOO, node->coordinates2D.front().XCOO};
  return true;
}

// An edge's positions from its begin node to its end node, reversed when
// the area takes it the other way.
bool edgePositions(const S57CellReader& reader, const FSPT& pointer, std::vector<Position>& out) {
  out.clear();
  const std::shared_ptr<VRID> edge = reader.findVector(pointer.NAME);
  if (!edge) return false;
  Position begin, end;
  bool hasBegin = false, hasEnd = false;
  for (const VRPT& p : edge->pointers) {
    if (p.TOPI == 1) hasBegin = nodePosition(reader, p.NAME, begin);
    if (p.TOPI == 2) hasEnd = nodePosition(reader, p.NAME, end);
  }
  if (hasBegin) out.push_back(begin);
  for (const SG2D& c : edge->coordinates2D) out.push_back({c.YCOO, c.XCOO});
  if (hasEnd) out.push_back(end);
  if (pointer.ORNT == 2) std::reverse(out.begin(), out.end());
  return !out.empty();
}

}  // namespace

CellCoverage cellCoverage(const S57CellReader& reader) {
  CellCoverage coverage;
  coverage.compilationScale = reader.dataSetParameters.CSCL;
  const double factor = reader.dataSetParameters.COMF;
  if (factor <= 0) return coverage;
  const bool across = crossesAntimeridian(reader, reader.dataSetParameters.COMF);
  auto degrees = [&](const Position& p) {
    GeoPosition g{p.y / factor, p.x / factor};
    if (across && g.longitude < 0) g.longitude += 360;
    return g;
  };

  // The box round every position of the cell's vector records.
  for (const auto& v : reader.vectors) {
    auto take = [&](std::int32_t y, std::int32_t x) {
      const GeoPosition g = degrees({y, x});
      if (!coverage.hasExtent) {
        coverage.south = coverage.north = g.latitude;
        coverage.west = coverage.east = g.longitude;
        coverage.hasExtent = true;
      }
      coverage.south = std::min(coverage.south, g.latitude);
      coverage.north = std::max(coverage.north, g.latitude);
      coverage.west = std::min(coverage.west, g.longitude);
      coverage.east = std::max(coverage.east, g.longitude);
    };
    for (const SG2D& c : v->coordinates2D) take(c.YCOO, c.XCOO);
    for (const SG3D& c : v->coordinates3D) take(c.YCOO, c.XCOO);
  }

  // Rings of the coverage areas, edge after edge; a ring ends where it
  // comes back to its start.
  std::vector<Position> edge, ring;
  auto closeRing = [&] {
    if (ring.size() >= 3) {
      if (!(ring.front() == ring.back())) ring.push_back(ring.front());
      std::vector<GeoPosition> outline;
      outline.reserve(ring.size());
      for (const Position& p : ring) outline.push_back(degrees(p));
      coverage.outlines.push_back(std::move(outline));
    }
    ring.clear();
  };
  for (const auto& f : reader.features) {
    if (f->OBJL != s57::M_COVR || f->PRIM != 3 || !coverageAvailable(*f)) continue;
    for (const FSPT& pointer : f->spatialPointers) {
      if (!edgePositions(reader, pointer, edge)) continue;
      const bool continues = !ring.empty() && ring.back() == edge.front();
      if (!ring.empty() && !continues) closeRing();
      ring.insert(ring.end(), edge.begin() + (continues ? 1 : 0), edge.end());
      if (ring.size() >= 4 && ring.front() == ring.back()) closeRing();
    }
    closeRing();
  }
  return coverage;
}
