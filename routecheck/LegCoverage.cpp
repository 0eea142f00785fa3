#include "LegCoverage.h"

#include <algorithm>
#include <cmath>

#include "CorridorProbe.h"
#include "WorldCopies.h"

namespace {
// A rhumb line is straight on the chart; a great circle bends, and is
// followed by pieces short enough (at most 64 of them) that its coverage
// is told to within a few metres on ocean legs.
constexpr int kMostPieces = 64;
constexpr double kShortestPiece = 2000;  // metres
}  // namespace

LegLine::LegLine(const LegTrack& leg) : length_(leg.metres()) {
  std::vector<GeoPoint> positions;
  double step = length_;
  if (leg.kind() == LegKind::Rhumb || length_ <= kShortestPiece) {
    positions = {leg.from(), leg.to()};
  } else {
    step = std::max(kShortestPiece, length_ / kMostPieces);
    leg.appendPoints(step, positions);
  }
  // Each point in the copy of the world nearest the one before: a leg goes
  // the short way across the 180th meridian.
  for (std::size_t i = 0; i < positions.size(); ++i) {
    ChartPoint p = geoToChart(positions[i]);
    if (!points_.empty()) p.x = nearestCopyX(p.x, points_.back().x);
    points_.push_back(p);
    along_.push_back(i + 1 == positions.size() ? length_ : std::min(length_, step * double(i)));
  }
  box_ = {points_[0].x, points_[0].y, points_[0].x, points_[0].y};
  for (const ChartPoint& p : points_) {
    box_.minX = std::min(box_.minX, p.x), box_.maxX = std::max(box_.maxX, p.x);
    box_.minY = std::min(box_.minY, p.y), box_.maxY = std::max(box_.maxY, p.y);
  }
}

ChartPoint LegLine::pointAt(double along) const {
  if (points_.size() == 1 || along <= 0) return points_.front();
  const std::size_t i = std::min<std::size_t>(
      points_.size() - 2, std::upper_bound(along_.begin(), along_.end(), along) - along_.begin() - 1);
  const double span = along_[i + 1] - along_[i];
  const double t = span > 0 ? std::min(1.0, (along - along_[i]) / span) : 0;
  return {points_[i].x + t * (points_[i + 1].x - points_[i].x), points_[i].y + t * (points_[i + 1].y - points_[i].y)};
}

namespace {
// Where the line's pieces cross the ring's edges (the ring moved `shift`
// chart units east), as distances along the line.
void addCrossings(const std::vector<ChartVertex>& ring, double shift, const std::vector<ChartPoint>& points,
                  const std::vector<double>& along, const ChartBox& lineBox, std::vector<double>& out) {
  const std::size_t n = ring.size();
  for (std::size_t e = 0; e < n; ++e) {
    const ChartPoint c{ring[e].point.x + shift, ring[e].point.y};
    const ChartPoint d{ring[(e + 1) % n].point.x + shift, ring[(e + 1) % n].point.y};
    if (std::max(c.x, d.x) < lineBox.minX || std::min(c.x, d.x) > lineBox.maxX ||
        std::max(c.y, d.y) < lineBox.minY || std::min(c.y, d.y) > lineBox.maxY)
      continue;
    const double sx = d.x - c.x, sy = d.y - c.y;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      const ChartPoint& p = points[i];
      const double rx = points[i + 1].x - p.x, ry = points[i + 1].y - p.y;
      const double denominator = rx * sy - ry * sx;
      if (denominator == 0) continue;  // parallel: the midpoint tests settle it
      const double t = ((c.x - p.x) * sy - (c.y - p.y) * sx) / denominator;
      const double u = ((c.x - p.x) * ry - (c.y - p.y) * rx) / denominator;
      if (t < 0 || t > 1 || u < 0 || u > 1) continue;
      out.push_back(along[i] + t * (along[i + 1] - along[i]));
    }
  }
}
}  // namespace

void LegLine::addInside(const AreaFeature& area, Stretches& out) const {
  if (!area.hasBounds) return;
  const WorldCopies copies = worldCopiesMeeting(area.bounds, box_);
  if (copies.empty()) return;
  std::vector<double> cuts{0, length_};
  for (int k = copies.first; k <= copies.last; ++k) {
    addCrossings(area.exteriorVertices, worldCopyShift(k), points_, along_, box_, cuts);
    addCrossings(area.interiorVertices, worldCopyShift(k), points_, along_, box_, cuts);
  }
  std::sort(cuts.begin(), cuts.end());
  // Between two crossings the line is all inside or all outside: its middle
  // tells which, whatever a crossing through a vertex counted.
  Stretches inside;
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
    const double a = cuts[i], b = cuts[i + 1];
    if (!(b > a) || !areaHolds(area, pointAt((a + b) / 2))) continue;
    if (!inside.empty() && inside.back().second >= a)
      inside.back().second = std::max(inside.back().second, b);
    else
      inside.push_back({a, b});
  }
  uniteStretches(out, inside);
}

void LegLine::addCoverage(const CheckedCell& cell, Stretches& out) const {
  for (const AreaFeature* area : cell.coverage) addInside(*area, out);
}

void uniteStretches(Stretches& a, const Stretches& b) {
  if (b.empty()) return;
  Stretches all;
  all.reserve(a.size() + b.size());
  std::merge(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(all));
  a.clear();
  for (const auto& s : all) {
    if (!a.empty() && s.first <= a.back().second)
      a.back().second = std::max(a.back().second, s.second);
    else
      a.push_back(s);
  }
}

Stretches subtractStretches(const Stretches& a, const Stretches& b) {
  Stretches out;
  std::size_t j = 0;
  for (auto s : a) {
    while (j < b.size() && b[j].second <= s.first) ++j;
    std::size_t k = j;
    while (k < b.size() && b[k].first < s.second) {
      if (b[k].first > s.first) out.push_back({s.first, b[k].first});
      s.first = std::max(s.first, b[k].second);
      ++k;
    }
    if (s.second > s.first) out.push_back(s);
  }
  return out;
}

Stretches gapsIn(const Stretches& covered, double length, double tolerance) {
  Stretches gaps = subtractStretches({{0, length}}, covered);
  gaps.erase(std::remove_if(gaps.begin(), gaps.end(),
                            [&](const std::pair<double, double>& g) { return g.second - g.first < tolerance; }),
             gaps.end());
  return gaps;
}
