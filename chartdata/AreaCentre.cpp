#include "AreaCentre.h"

#include <algorithm>
#include <cmath>

#include "ChartModel.h"
#include "S57Vocabulary.h"

namespace {
constexpr double kNoCentre = kUnknownDepth;  // an empty ring has no centre
}

bool ringCentroid(const std::vector<ChartVertex>& ring, ChartPoint& centre) {
  const std::size_t n = ring.size();
  if (n < 3) return false;
  // Sums taken relative to the first vertex: the same centroid, without
  // the rounding of products of chart coordinates near 1e12.
  const double x0 = ring[0].point.x, y0 = ring[0].point.y;
  double twiceArea = 0, sumX = 0, sumY = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const ChartPoint& a = ring[i].point;
    const ChartPoint& b = ring[(i + 1) % n].point;
    const double ax = a.x - x0, ay = a.y - y0, bx = b.x - x0, by = b.y - y0;
    const double cross = ax * by - bx * ay;
    twiceArea += cross;
    sumX += (ax + bx) * cross;
    sumY += (ay + by) * cross;
  }
  if (twiceArea == 0 || !std::isfinite(twiceArea)) return false;
  centre.x = x0 + sumX / (3 * twiceArea);
  centre.y = y0 + sumY / (3 * twiceArea);
  return std::isfinite(centre.x) && std::isfinite(centre.y);
}

ChartPoint areaCentre(const std::vector<ChartVertex>& ring) {
  if (ring.empty()) return ChartPoint{kNoCentre, kNoCentre};
  ChartPoint centre;
  if (ringCentroid(ring, centre)) return centre;
  double minX = ring[0].point.x, maxX = minX, minY = ring[0].point.y, maxY = minY;
  for (const ChartVertex& v : ring) {
    minX = std::min(minX, v.point.x), maxX = std::max(maxX, v.point.x);
    minY = std::min(minY, v.point.y), maxY = std::max(maxY, v.point.y);
  }
  return ChartPoint{(minX + maxX) * 0.5, (minY + maxY) * 0.5};
}
