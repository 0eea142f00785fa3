#include "CorridorProbe.h"

#include <algorithm>
#include <cmath>

CorridorProbe::CorridorProbe(const LegCorridor& corridor) : corridor_(&corridor) {
  const LegCorridor::GeoBox g = corridor.geoBox();
  const double south = geoToChart({g.south, 0}).y, north = geoToChart({g.north, 0}).y;
  if (g.allLongitudes) {
    box_ = {-mercator::kWorldWidth, south, mercator::kWorldWidth, north};
  } else {
    box_ = {geoToChart({0, g.west}).x, south, geoToChart({0, g.east}).x, north};
  }
}

WorldCopies CorridorProbe::copiesMeeting(const ChartBox& box) const { return worldCopiesMeeting(box, box_); }

bool CorridorProbe::pointHit(const ChartPoint& point, Hit& hit) const {
  if (copiesMeeting({point.x, point.y, point.x, point.y}).empty()) return false;
  const GeoPoint position = chartToGeo(point);
  if (!corridor_->boxHolds(position)) return false;
  const LegCorridor::Place place = corridor_->place(position);
  if (!place.inside) return false;
  hit = {place.alongTrackMetres, position};
  return true;
}

// Whether the edge's box meets the corridor's box in one of the copies.
bool CorridorProbe::edgeNear(const ChartPoint& a, const ChartPoint& b, const WorldCopies& copies) const {
  const double minY = std::min(a.y, b.y), maxY = std::max(a.y, b.y);
  if (maxY < box_.minY || minY > box_.maxY) return false;
  const double minX = std::min(a.x, b.x), maxX = std::max(a.x, b.x);
  for (int k = copies.first; k <= copies.last; ++k) {
    const double shift = worldCopyShift(k);
    if (maxX + shift >= box_.minX && minX + shift <= box_.maxX) return true;
  }
  return false;
}

bool CorridorProbe::appendLineHits(const ChartVertex* v, std::size_t count, const WorldCopies& copies,
                                   std::vector<Hit>& hits) const {
  bool any = false;
  for (std::size_t i = 0; i + 1 < count; ++i) {
    const ChartPoint& a = v[i].point;
    const ChartPoint& b = v[i + 1].point;
    if (!edgeNear(a, b, copies)) continue;
    spans_.clear();
    if (!corridor_->appendEdgeSpans(chartToGeo(a), chartToGeo(b), spans_)) continue;
    for (const LegCorridor::Span& s : spans_) {
      hits.push_back({corridor_->place(s.enter).alongTrackMetres, s.enter});
      hits.push_back({corridor_->place(s.leave).alongTrackMetres, s.leave});
    }
    any = true;
  }
  return any;
}

namespace {
// Even-odd crossings of a ray eastwards from p with the ring (closed back to
// its first vertex). Rings given one after another in one list cancel out
// the joins between them, since each is closed.
bool crossesOddly(const std::vector<ChartVertex>& ring, const ChartPoint& p) {
  bool inside = false;
  const std::size_t n = ring.size();
  for (std::size_t i = 0; i < n; ++i) {
    const ChartPoint& a = ring[i].point;
    const ChartPoint& b = ring[(i + 1) % n].point;
    if ((a.y < p.y && p.y <= b.y) || (b.y < p.y && p.y <= a.y)) {
      const double x = b.x + (p.y - b.y) * (b.x - a.x) / (b.y - a.y);
      if (x > p.x) inside = !inside;
    }
  }
  return inside;
}
}  // namespace

bool areaHolds(const AreaFeature& area, const ChartPoint& point) {
  if (!area.hasBounds) return false;
  const ChartPoint p{nearestCopyX(point.x, (area.bounds.minX + area.bounds.maxX) / 2), point.y};
  if (!(p.x >= area.bounds.minX && p.x <= area.bounds.maxX && p.y >= area.bounds.minY && p.y <= area.bounds.maxY))
    return false;
  return crossesOddly(area.exteriorVertices, p) != crossesOddly(area.interiorVertices, p);
}

bool boxOfVertices(const ChartVertex* v, std::size_t count, ChartBox& box) {
  bool any = false;
  for (std::size_t i = 0; i < count; ++i) {
    const ChartPoint& p = v[i].point;
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
    if (!any) {
      box = {p.x, p.y, p.x, p.y};
      any = true;
    } else {
      box.minX = std::min(box.minX, p.x), box.maxX = std::max(box.maxX, p.x);
      box.minY = std::min(box.minY, p.y), box.maxY = std::max(box.maxY, p.y);
    }
  }
  return any;
}
