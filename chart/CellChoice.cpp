#include "CellChoice.h"

#include <algorithm>

#include "WorldCopies.h"

int compilationScaleForRules(const S57Cell& cell) {
  if (cell.compilationScale > 0) return cell.compilationScale;
  static constexpr int kUsualScale[6] = {3000000, 1000000, 200000, 50000, 10000, 3000};
  const char purpose = cell.name.size() > 2 ? cell.name[2] : '\0';
  return purpose >= '1' && purpose <= '6' ? kUsualScale[purpose - '1'] : 50000;
}

bool extentMeetsView(const ChartBox& box, const ViewGeometry& view) {
  return !worldCopiesMeeting(box, viewBox(view)).empty();
}

namespace {
void sortForRules(std::vector<S57Cell*>& candidates) {
  std::stable_sort(candidates.begin(), candidates.end(), [](const S57Cell* a, const S57Cell* b) {
    return compilationScaleForRules(*a) < compilationScaleForRules(*b);
  });
}
}  // namespace

void chooseCandidates(const std::vector<S57Cell*>& cells, const ViewGeometry& view,
                      std::vector<S57Cell*>& candidates) {
  candidates.clear();
  for (S57Cell* cell : cells) {
    const auto& extents = cell->extents;
    if (std::any_of(extents.begin(), extents.end(), [&](const ChartBox& b) { return extentMeetsView(b, view); }))
      candidates.push_back(cell);
  }
  sortForRules(candidates);
}

void chooseCandidates(const CellIndex& index, const ViewGeometry& view, std::vector<std::uint32_t>& positions,
                      std::vector<S57Cell*>& candidates) {
  index.query(view, positions);
  candidates.clear();
  for (const std::uint32_t p : positions) candidates.push_back(index.cells()[p]);
  sortForRules(candidates);
}

namespace {
// The inner box is taken in the copy of the world nearest the outer one.
bool strictlyContains(const ChartBox& outer, const ChartBox& inner) {
  const double innerCentre = (inner.minX + inner.maxX) / 2;
  const double shift = nearestCopyX(innerCentre, (outer.minX + outer.maxX) / 2) - innerCentre;
  return outer.maxX > inner.maxX + shift && outer.maxY > inner.maxY && outer.minX < inner.minX + shift &&
         outer.minY < inner.minY;
}
}  // namespace

bool isNestedCell(const S57Cell& cell, const std::vector<S57Cell*>& candidates) {
  return isNestedCell(cell, candidates.data(), candidates.data() + candidates.size());
}

bool isNestedCell(const S57Cell& cell, S57Cell* const* first, S57Cell* const* last) {
  const int scale = compilationScaleForRules(cell);
  for (; first != last; ++first) {
    const S57Cell* other = *first;
    if (other == &cell) continue;
    const int otherScale = compilationScaleForRules(*other);
    if (!(scale < otherScale && scale < otherScale / 8)) continue;
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
  const double compilation = compilationScaleForRules(cell);
  return nested ? s <= 2.0 * compilation : s < 100.0 * compilation;
}
