#include "PickGeometry.h"

#include <algorithm>
#include <cmath>

namespace {
// Whether `p` lies on the segment a-b, exactly.
bool onSegment(const ChartPoint& a, const ChartPoint& b, const ChartPoint& p) {
  if (p.x < std::min(a.x, b.x) || p.x > std::max(a.x, b.x) || p.y < std::min(a.y, b.y) ||
      p.y > std::max(a.y, b.y))
    return false;
  return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x) == 0;
}

// Walks the closed ring v[first..last]: flips `inside` for every edge that a
// ray from `p` towards +x crosses; true when `p` lies on an edge.
bool walkRing(const std::vector<ChartVertex>& v, std::size_t first, std::size_t last, const ChartPoint& p,
              bool& inside) {
  for (std::size_t i = first, j = last; i <= last; j = i++) {
    const ChartPoint& a = v[j].point;
    const ChartPoint& b = v[i].point;
    if (onSegment(a, b, p)) return true;
    if ((a.y > p.y) != (b.y > p.y)) {
      const double x = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
      if (x > p.x) inside = !inside;
    }
  }
  return false;
}

double squaredDistanceToSegment(const ChartPoint& a, const ChartPoint& b, const ChartPoint& p) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
  return ex * ex + ey * ey;
}
}  // namespace

bool areaContains(const AreaFeature& area, const ChartPoint& p) {
  if (!area.hasBounds || p.x < area.bounds.minX || p.x > area.bounds.maxX || p.y < area.bounds.minY ||
      p.y > area.bounds.maxY)
    return false;
  const std::vector<ChartVertex>& exterior = area.exteriorVertices;
  if (exterior.empty()) return false;
  bool inside = false;
  if (walkRing(exterior, 0, exterior.size() - 1, p, inside)) return true;
  for (const VertexRun& hole : area.holes) {
    if (hole.count == 0 || hole.offset + std::size_t{hole.count} > area.interiorVertices.size()) continue;
    if (walkRing(area.interiorVertices, hole.offset, hole.offset + hole.count - 1, p, inside)) return true;
  }
  return inside;
}

bool polylineWithin(const ChartVertex* vertices, std::size_t count, const ChartPoint& p, double distance) {
  if (count == 0) return false;
  const double limit = distance * distance;
  if (count == 1) return squaredDistanceToSegment(vertices[0].point, vertices[0].point, p) <= limit;
  for (std::size_t i = 1; i < count; ++i) {
    const ChartPoint& a = vertices[i - 1].point;
    const ChartPoint& b = vertices[i].point;
    // Most segments are far away: their box, widened by the distance, misses.
    if (p.x < std::min(a.x, b.x) - distance || p.x > std::max(a.x, b.x) + distance ||
        p.y < std::min(a.y, b.y) - distance || p.y > std::max(a.y, b.y) + distance)
      continue;
    if (squaredDistanceToSegment(a, b, p) <= limit) return true;
  }
  return false;
}
