#include "CorridorProbe.h"

#include <algorithm>
#include <cmath>

namespace {
// A great circle bends on the chart: it is followed by pieces (at most 64);
// a rhumb line is one straight piece.
constexpr int kMostPieces = 64;

double squaredDistanceToSegment(const ChartPoint& p, const ChartPoint& a, const ChartPoint& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::max(0.0, std::min(1.0, t));
  const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
  return ex * ex + ey * ey;
}

bool segmentsCross(const ChartPoint& a, const ChartPoint& b, const ChartPoint& c, const ChartPoint& d) {
  const auto side = [](const ChartPoint& o, const ChartPoint& p, const ChartPoint& q) {
    return (p.x - o.x) * (q.y - o.y) - (p.y - o.y) * (q.x - o.x);
  };
  const double d1 = side(c, d, a), d2 = side(c, d, b), d3 = side(a, b, c), d4 = side(a, b, d);
  return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
}
}  // namespace

CorridorProbe::CorridorProbe(const LegCorridor& corridor, const LegTrack& leg, double widestXtdMetres)
    : corridor_(&corridor) {
  const LegCorridor::GeoBox g = corridor.geoBox();
  const double south = geoToChart({g.south, 0}).y, north = geoToChart({g.north, 0}).y;
  if (g.allLongitudes) {
    box_ = {-mercator::kWorldWidth, south, mercator::kWorldWidth, north};
  } else {
    box_ = {geoToChart({0, g.west}).x, south, geoToChart({0, g.east}).x, north};
  }
  // Near the poles the chart stretches without bound: no line to test by.
  const double highest = std::max(std::fabs(g.south), std::fabs(g.north));
  if (g.allLongitudes || highest > 85) return;
  std::vector<GeoPoint> positions;
  const bool straight = leg.kind() == LegKind::Rhumb;
  if (straight)
    positions = {leg.from(), leg.to()};
  else
    leg.appendPoints(std::max(1000.0, leg.metres() / kMostPieces), positions);
  for (const GeoPoint& p : positions) {
    ChartPoint c = geoToChart(p);
    if (!line_.empty()) c.x = nearestCopyX(c.x, line_.back().x);
    line_.push_back(c);
  }
  // In the copy of the world the corridor's box is in.
  const double shift = nearestCopyX(line_[0].x, (box_.minX + box_.maxX) / 2) - line_[0].x;
  for (ChartPoint& c : line_) c.x += shift;
  const double unitsPerMetre = mercator::kChartUnitsPerMetre / groundMetresPerProjectionMetre(highest);
  double bend = 0;  // how far the leg strays from its pieces
  if (!straight) {
    const double step = std::max(1000.0, leg.metres() / kMostPieces);
    for (std::size_t i = 0; i + 1 < positions.size(); ++i) {
      const double a = double(i) * step, b = std::min(leg.metres(), a + step);
      ChartPoint m = geoToChart(leg.at((a + b) / 2).position);
      m.x = nearestCopyX(m.x, line_[i].x);
      bend = std::max(bend, std::sqrt(squaredDistanceToSegment(m, line_[i], line_[i + 1])));
    }
  }
  // The corridor's half width, with room for the rounding of the chart's
  // Mercator against the ellipsoid's and for the leg's bends.
  reach_ = (widestXtdMetres * 1.01 + 10) * unitsPerMetre + 2 * bend;
}

// Whether the segment comes within reach of the leg's line.
bool CorridorProbe::nearLine(const ChartPoint& a, const ChartPoint& b) const {
  if (line_.empty()) return true;
  const double reach2 = reach_ * reach_;
  for (std::size_t i = 0; i + 1 < line_.size(); ++i) {
    const ChartPoint& c = line_[i];
    const ChartPoint& d = line_[i + 1];
    if (std::max(a.x, b.x) < std::min(c.x, d.x) - reach_ || std::min(a.x, b.x) > std::max(c.x, d.x) + reach_ ||
        std::max(a.y, b.y) < std::min(c.y, d.y) - reach_ || std::min(a.y, b.y) > std::max(c.y, d.y) + reach_)
      continue;
    if (segmentsCross(a, b, c, d) || squaredDistanceToSegment(a, c, d) <= reach2 ||
        squaredDistanceToSegment(b, c, d) <= reach2 || squaredDistanceToSegment(c, a, b) <= reach2 ||
        squaredDistanceToSegment(d, a, b) <= reach2)
      return true;
  }
  return false;
}

WorldCopies CorridorProbe::copiesMeeting(const ChartBox& box) const { return worldCopiesMeeting(box, box_); }

bool CorridorProbe::pointHit(const ChartPoint& point, Hit& hit) const {
  const WorldCopies copies = copiesMeeting({point.x, point.y, point.x, point.y});
  if (copies.empty() || !edgeNear(point, point, copies)) return false;
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
    if (maxX + shift >= box_.minX && minX + shift <= box_.maxX &&
        nearLine({a.x + shift, a.y}, {b.x + shift, b.y}))
      return true;
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
