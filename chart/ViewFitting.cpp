#include "ViewFitting.h"

#include <algorithm>

#include "ViewGeometry.h"

bool fitViewToCells(const std::vector<S57Cell*>& cells, ViewGeometry& view) {
  bool any = false;
  ChartBox all;
  for (const S57Cell* cell : cells) {
    if (!cell || cell->extents.empty()) continue;
    const ChartBox& b = cell->boundingBox;
    if (!any) {
      all = b;
      any = true;
      continue;
    }
    all.minX = std::min(all.minX, b.minX), all.minY = std::min(all.minY, b.minY);
    all.maxX = std::max(all.maxX, b.maxX), all.maxY = std::max(all.maxY, b.maxY);
  }
  if (!any) return false;
  view.centre = ChartPoint{(all.minX + all.maxX) / 2, (all.minY + all.maxY) / 2};
  // Chart units per logical unit that fit the box into 80 % of each side.
  const double width = std::max(1, view.viewportWidth) * 0.8;
  const double height = std::max(1, view.viewportHeight) * 0.8;
  const double needed = std::max((all.maxX - all.minX) / width, (all.maxY - all.minY) / height);
  view.scale = static_cast<float>(std::clamp(needed, double(kMinimumViewScale), double(kMaximumViewScale)));
  updateOrigin(view);
  return true;
}
