#include "DrawnCells.h"

#include "CellChoice.h"
#include "TrueScale.h"

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
      drawn[i] = !hidden && cellShownAtScale(cell, isNestedCell(cell, candidates), viewScale);
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
