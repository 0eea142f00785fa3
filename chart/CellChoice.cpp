#include "CellChoice.h"

#include <algorithm>

bool extentMeetsView(const ChartBox& box, const ViewGeometry& view) {
  const double right = view.origin.x + view.viewportWidth * static_cast<double>(view.scale);
  const double bottom = view.origin.y - view.viewportHeight * static_cast<double>(view.scale);
  return !(view.origin.x > box.maxX || box.minX > right || box.minY > view.origin.y || bottom > box.maxY);
}

void chooseCandidates(const std::vector<S57Cell*>& cells, const ViewGeometry& view,
                      std::vector<S57Cell*>& candidates) {
  candidates.clear();
  for (S57Cell* cell : cells) {
    const auto& extents = cell->extents;
    if (std::any_of(extents.begin(), extents.end(), [&](const ChartBox& b) { return extentMeetsView(b, view); }))
      candidates.push_back(cell);
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const S57Cell* a, const S57Cell* b) { return a->compilationScale < b->compilationScale; });
}

namespace {
bool strictlyContains(const ChartBox& outer, const ChartBox& inner) {
  return outer.maxX > inner.maxX && outer.maxY > inner.maxY && outer.minX < inner.minX && outer.minY < inner.minY;
}
}  // namespace

bool isNestedCell(const S57Cell& cell, const std::vector<S57Cell*>& candidates) {
  for (const S57Cell* other : candidates) {
    if (other == &cell) continue;
    if (!(cell.compilationScale < other->compilationScale && cell.compilationScale < other->compilationScale / 8))
      continue;
    for (const ChartBox& outer : other->extents) {
      if (std::all_of(cell.extents.begin(), cell.extents.end(),
                      [&](const ChartBox& inner) { return strictlyContains(outer, inner); }))
        return true;
    }
  }
  return false;
}

bool cellShownAtScale(const S57Cell& cell, bool nested, float scale) {
  const double s = scale;
  return nested ? s <= 2.0 * cell.compilationScale : s < 100.0 * cell.compilationScale;
}
