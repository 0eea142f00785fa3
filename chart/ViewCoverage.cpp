#include "ViewCoverage.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kMostSplits = 4096;  // slabs cut where edges cross, before giving up (not covered)

bool meets(const ChartBox& a, const ChartBox& b) {
  return !(a.minX > b.maxX || b.minX > a.maxX || b.minY > a.maxY || a.minY > b.maxY);
}

// Coordinates far beyond any on Earth (chart units are 1e-5 m) would
// overflow the slab arithmetic; such a ring adds nothing.
constexpr double kFarthest = 1e15;

bool usableRing(const std::vector<ChartVertex>& ring) {
  return std::all_of(ring.begin(), ring.end(), [](const ChartVertex& v) {
    return std::fabs(v.point.x) < kFarthest && std::fabs(v.point.y) < kFarthest;
  });
}

// Whether the box of a CATCOV 2 area holds the box of every CATCOV 1 area
// of the cell.
bool surroundsCoverage(const S57Cell& cell, const AreaFeature& noData) {
  if (!noData.hasBounds) return false;
  const ChartBox& outer = noData.bounds;
  for (const auto& area : cell.areas) {
    if (area->objectClass != s57::M_COVR || area->findAttribute("CATCOV") != "1" || !area->hasBounds) continue;
    const ChartBox& b = area->bounds;
    if (b.minX < outer.minX || b.minY < outer.minY || b.maxX > outer.maxX || b.maxY > outer.maxY) return false;
  }
  return true;
}

}  // namespace

double ViewCoverage::Edge::xAt(double y) const { return x0 + (x1 - x0) * ((y - y0) / (y1 - y0)); }

void ViewCoverage::reset(const ViewGeometry& view) {
  view_.minX = view.origin.x;
  view_.maxX = view.origin.x + view.viewportWidth * static_cast<double>(view.scale);
  view_.maxY = view.origin.y;
  view_.minY = view.origin.y - view.viewportHeight * static_cast<double>(view.scale);
  usable_ = std::isfinite(view_.minX) && std::isfinite(view_.maxX) && std::isfinite(view_.minY) &&
            std::isfinite(view_.maxY) && view_.minX < view_.maxX && view_.minY < view_.maxY;
  covered_ = false;
  rings_ = 0;
  edges_.clear();
}

void ViewCoverage::addCell(const S57Cell& cell) {
  if (!usable_ || covered_) return;
  for (const auto& area : cell.areas) {
    if (area->objectClass != s57::M_COVR || area->findAttribute("CATCOV") != "2") continue;
    // The usual ring round a cell's coverage (the cell's box with the
    // coverage as its holes) lies outside the coverage; any other area
    // without data may be a gap in it, in the view.
    if (!area->interiorVertices.empty() && surroundsCoverage(cell, *area)) continue;
    if (!area->hasBounds || meets(area->bounds, view_)) return;
  }
  for (const auto& area : cell.areas) {
    if (area->objectClass != s57::M_COVR || area->findAttribute("CATCOV") != "1") continue;
    if (!area->interiorVertices.empty() || !area->hasBounds || !meets(area->bounds, view_)) continue;
    if (usableRing(area->exteriorVertices)) addRing(area->exteriorVertices);
  }
}

void ViewCoverage::addRing(const std::vector<ChartVertex>& ring) {
  const std::int32_t id = rings_++;
  const size_t n = ring.size();
  for (size_t i = 0; i < n; ++i) {
    ChartPoint a = ring[i].point, b = ring[(i + 1) % n].point;
    if (a.y == b.y) continue;  // never crossed by the middle of a slab
    if (a.y > b.y) std::swap(a, b);
    if (b.y <= view_.minY || a.y >= view_.maxY) continue;
    edges_.push_back({a.x, a.y, b.x, b.y, id});
  }
}

bool ViewCoverage::coversView() {
  if (covered_) return true;
  if (!usable_ || edges_.empty()) return false;
  levels_.clear();
  levels_.push_back(view_.minY);
  levels_.push_back(view_.maxY);
  for (const Edge& e : edges_) {
    if (e.y0 > view_.minY) levels_.push_back(e.y0);
    if (e.y1 < view_.maxY) levels_.push_back(e.y1);
  }
  std::sort(levels_.begin(), levels_.end());
  levels_.erase(std::unique(levels_.begin(), levels_.end()), levels_.end());
  std::sort(edges_.begin(), edges_.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });

  // Sweep upwards; every edge in active_ spans the slab, since every end of
  // an edge is a level. The view's sides take part in the order test only.
  active_.clear();
  active_.push_back({view_.minX, view_.minY, view_.minX, view_.maxY, -1});
  active_.push_back({view_.maxX, view_.minY, view_.maxX, view_.maxY, -1});
  size_t next = 0;
  splitsLeft_ = kMostSplits;
  for (size_t k = 0; k + 1 < levels_.size(); ++k) {
    const double bottom = levels_[k], top = levels_[k + 1];
    active_.erase(std::remove_if(active_.begin(), active_.end(),
                                 [&](const Edge& e) { return e.ring >= 0 && e.y1 <= bottom; }),
                  active_.end());
    for (; next < edges_.size() && edges_[next].y0 <= bottom; ++next)
      if (edges_[next].y1 > bottom) active_.push_back(edges_[next]);
    if (!slabCovered(bottom, top)) return false;
  }
  covered_ = true;
  return true;
}

bool ViewCoverage::slabCovered(double bottom, double top) {
  const double split = lowestCrossing(bottom, top);
  if (std::isnan(split)) return spansCover(bottom * 0.5 + top * 0.5);
  if (--splitsLeft_ < 0) return false;
  return slabCovered(bottom, split) && slabCovered(split, top);
}

// Where two active edges (or an edge and a side of the view) change order
// strictly between the two heights, the lowest such height found among the
// pairs that neighbour at the bottom; not a number when none do. Sorted by
// x at the bottom (then at the top), two neighbours swap exactly when some
// pair of edges does; a crossing that rounding puts on the slab's bottom or
// top is no crossing within it.
double ViewCoverage::lowestCrossing(double bottom, double top) {
  const size_t n = active_.size();
  xs_.resize(2 * n);
  for (size_t i = 0; i < n; ++i) {
    xs_[2 * i] = active_[i].xAt(bottom);
    xs_[2 * i + 1] = active_[i].xAt(top);
  }
  order_.resize(n);
  for (std::uint32_t i = 0; i < n; ++i) order_[i] = i;
  std::sort(order_.begin(), order_.end(), [&](std::uint32_t a, std::uint32_t b) {
    if (xs_[2 * a] != xs_[2 * b]) return xs_[2 * a] < xs_[2 * b];
    return xs_[2 * a + 1] < xs_[2 * b + 1];
  });
  double lowest = std::numeric_limits<double>::quiet_NaN();
  for (size_t k = 0; k + 1 < n; ++k) {
    const std::uint32_t a = order_[k], b = order_[k + 1];
    const double below = xs_[2 * b] - xs_[2 * a], above = xs_[2 * b + 1] - xs_[2 * a + 1];
    if (!(below > 0 && above < 0)) continue;
    const double y = bottom + (top - bottom) * (below / (below - above));
    if (y > bottom && y < top && !(y >= lowest)) lowest = y;
  }
  return lowest;
}

// Whether, at height y, the spans inside the rings chain from the view's
// left side to its right.
bool ViewCoverage::spansCover(double y) {
  crossings_.clear();
  for (const Edge& e : active_)
    if (e.ring >= 0) crossings_.push_back({e.xAt(y), e.ring});
  std::sort(crossings_.begin(), crossings_.end(),
            [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
  ringStart_.assign(static_cast<size_t>(rings_), std::numeric_limits<double>::quiet_NaN());
  spans_.clear();
  for (const Crossing& c : crossings_) {
    double& start = ringStart_[static_cast<size_t>(c.ring)];
    if (std::isnan(start)) {
      start = c.x;
    } else {
      spans_.push_back({start, c.x});
      start = std::numeric_limits<double>::quiet_NaN();
    }
  }
  std::sort(spans_.begin(), spans_.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
  double reach = view_.minX;
  for (const Span& s : spans_) {
    if (s.left > reach) return false;
    reach = std::max(reach, s.right);
    if (reach >= view_.maxX) return true;
  }
  return reach >= view_.maxX;
}
