#include "ChartModel.h"

#include <algorithm>

#include "AreaCentre.h"

const std::string& ChartFeature::findAttribute(std::string_view acronym) const {
  static const std::string empty;
  for (const FeatureAttribute& a : attributes)
    if (a.acronym == acronym) return a.value;
  return empty;
}

void AreaFeature::updateBounds() {
  hasBounds = !exteriorVertices.empty();
  centre = areaCentre(exteriorVertices);
  if (!hasBounds) {
    bounds = ChartBox{};
    return;
  }
  const ChartPoint& first = exteriorVertices.front().point;
  bounds = ChartBox{first.x, first.y, first.x, first.y};
  for (const ChartVertex& v : exteriorVertices) {
    bounds.minX = std::min(bounds.minX, v.point.x);
    bounds.maxX = std::max(bounds.maxX, v.point.x);
    bounds.minY = std::min(bounds.minY, v.point.y);
    bounds.maxY = std::max(bounds.maxY, v.point.y);
  }
}

void AreaFeature::findHoles() {
  holes.clear();
  const std::vector<ChartVertex>& v = interiorVertices;
  std::size_t start = 0;
  while (start < v.size()) {
    std::size_t end = start + 1;
    while (end < v.size() && !(end - start >= 2 && v[end].point.x == v[start].point.x &&
                               v[end].point.y == v[start].point.y))
      ++end;
    const std::size_t last = std::min(end, v.size() - 1);
    if (last - start + 1 >= 3)
      holes.push_back(VertexRun{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(last - start + 1)});
    start = last + 1;
  }
}
