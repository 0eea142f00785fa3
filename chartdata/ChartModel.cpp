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
