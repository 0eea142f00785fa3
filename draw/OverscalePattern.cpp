#include "OverscalePattern.h"

#include <algorithm>

#include "InstructionExecutor.h"
#include "PatternFill.h"
#include "ProcedureSupport.h"
#include "S57Vocabulary.h"

namespace {
bool dataCoverage(const AreaFeature& area) {
  return area.objectClass == s57::M_COVR && area.findAttribute("CATCOV") == "1";
}

// An extent box in logical units, held to the clipping margin around the
// viewport (a box clipped by a box stays a box).
void fillExtent(DrawContext& dc, const ChartBox& box, const Instruction& pattern) {
  const ViewGeometry& view = dc.view;
  const auto clampX = [&](double x) {
    return static_cast<int>(std::clamp((x - view.origin.x) / view.scale, double(-OUTLINE_MARGIN_BEFORE),
                                       double(view.viewportWidth + OUTLINE_MARGIN_AFTER)));
  };
  const auto clampY = [&](double y) {
    return static_cast<int>(std::clamp((view.origin.y - y) / view.scale, double(-OUTLINE_MARGIN_BEFORE),
                                       double(view.viewportHeight + OUTLINE_MARGIN_AFTER)));
  };
  const int left = clampX(box.minX), right = clampX(box.maxX);
  const int top = clampY(box.maxY), bottom = clampY(box.minY);
  if (left >= right || top >= bottom) return;
  const QPoint corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
  fillPattern(dc.canvas, corners, 5, pattern.as<AreaPattern>().name, view);
}
}  // namespace

void drawOverscalePattern(DrawContext& dc, const S57Cell& cell) {
  static const Instruction pattern = patternInstruction("OVERSC01");
  bool covered = false;
  for (const auto& area : cell.areas) {
    if (!dataCoverage(*area)) continue;
    covered = true;
    if (const AreaOutline* outline = projectOutline(*area, dc.view, dc.buffers.outline))
      executeAreaInstruction(dc, pattern, *area, *outline);
  }
  if (covered) return;
  for (const ChartBox& box : cell.extents) fillExtent(dc, box, pattern);
}
