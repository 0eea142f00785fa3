#include "CheckedCell.h"

#include <algorithm>
#include <cmath>

#include "CellChoice.h"
#include "CorridorProbe.h"
#include "DepthAreaEdges.h"
#include "S57Vocabulary.h"

bool isCoverageArea(const AreaFeature& area) {
  return area.objectClass == s57::M_COVR && area.findAttribute("CATCOV") == "1";
}

CheckedCell::CheckedCell(const S57Cell& c, float safetyContour)
    : cell(&c), scale(compilationScaleForRules(c)), safetyDepth(depthAreaEdges(c).safetyDepth(safetyContour)) {
  // A cell without depth areas or contours has no safety contour of its
  // own: the mariner's stands.
  if (safetyDepth == kUnknownDepth) safetyDepth = safetyContour;
  for (const auto& area : c.areas)
    if (isCoverageArea(*area)) coverage.push_back(area.get());
  lineBoxes.resize(c.lines.size());
  lineHasBox.resize(c.lines.size());
  for (std::size_t i = 0; i < c.lines.size(); ++i) {
    const std::vector<ChartVertex>& v = c.lines[i]->vertices;
    lineHasBox[i] = boxOfVertices(v.data(), v.size(), lineBoxes[i]);
  }
  soundingBoxes.resize(c.soundings.size());
  soundingHasBox.resize(c.soundings.size());
  for (std::size_t i = 0; i < c.soundings.size(); ++i) {
    bool any = false;
    ChartBox& box = soundingBoxes[i];
    for (const Sounding& s : c.soundings[i]->soundings) {
      if (!std::isfinite(s.x) || !std::isfinite(s.y)) continue;
      if (!any) box = {s.x, s.y, s.x, s.y};
      box.minX = std::min(box.minX, s.x), box.maxX = std::max(box.maxX, s.x);
      box.minY = std::min(box.minY, s.y), box.maxY = std::max(box.maxY, s.y);
      any = true;
    }
    soundingHasBox[i] = any;
  }
}

bool CheckedCell::covers(const ChartPoint& point) const {
  return std::any_of(coverage.begin(), coverage.end(), [&](const AreaFeature* a) { return areaHolds(*a, point); });
}
