#include "DrawnCells.h"

#include <algorithm>

#include "CellChoice.h"
#include "TrueScale.h"

namespace {
// Whether the cell's scale rule admits it at `scale`. Its nesting is worked
// out only where it decides (between twice and 100 times its compilation
// scale), and only among the candidates that may hold it: those more than 8
// times less detailed, at the end of the candidates sorted for the rules.
bool shownAtScale(const S57Cell& cell, const std::vector<S57Cell*>& candidates, float scale) {
  const double compilation = compilationScaleForRules(cell);
  if (scale <= 2.0 * compilation) return true;
  if (scale >= 100.0 * compilation) return false;
  const int own = compilationScaleForRules(cell);
  const auto outer = std::partition_point(candidates.begin(), candidates.end(), [own](const S57Cell* other) {
    const int s = compilationScaleForRules(*other);
    return !(own < s && own < s / 8);
  });
  const bool nested = isNestedCell(cell, candidates.data() + (outer - candidates.begin()),
                                   candidates.data() + candidates.size());
  return cellShownAtScale(cell, nested, scale);
}
}  // namespace

bool chooseDrawnCells(const std::vector<S57Cell*>& candidates, const ViewGeometry& view, ViewCoverage& coverage,
                      std::vector<char>& drawn) {
  drawn.assign(candidates.size(), 0);
  coverage.reset(view);
  const float viewScale = static_cast<float>(trueScale(view));
  bool hidden = false;
  for (size_t first = 0; first < candidates.size();) {
    // One run of a compilation scale: decided first, then added to the coverage.
    const int scale = compilationScaleForRules(*candidates[first]);
    size_t end = first;
    while (end < candidates.size() && compilationScaleForRules(*candidates[end]) == scale) ++end;
    bool anyDrawn = false;
    for (size_t i = first; i < end; ++i) {
      const S57Cell& cell = *candidates[i];
      drawn[i] = !hidden && shownAtScale(cell, candidates, viewScale);
      anyDrawn = anyDrawn || drawn[i];
    }
    if (!hidden && anyDrawn) {
      for (size_t i = first; i < end; ++i)
        if (drawn[i]) coverage.addCell(*candidates[i]);
      hidden = coverage.coversView();
    }
    first = end;
  }
  return hidden;
}
