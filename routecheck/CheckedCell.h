#pragma once
// What the route check needs of one cell, worked out once per check: its
// compilation scale as the scale rules take it, the safety contour's depth
// in it, its coverage (M_COVR of CATCOV 1), and a box round each line and
// sounding feature so that a leg looks only at what lies near it. Areas
// keep their own box.
#include <vector>

#include "ChartModel.h"

struct CheckedCell {
  // `safetyContour` is the mariner's; the cell's safety contour depth is the
  // one the display draws for it (DepthAreaEdges::safetyDepth).
  CheckedCell(const S57Cell& cell, float safetyContour);

  const S57Cell* cell;
  int scale;
  float safetyDepth;
  std::vector<const AreaFeature*> coverage;
  std::vector<ChartBox> lineBoxes;      // by position in cell->lines
  std::vector<char> lineHasBox;
  std::vector<ChartBox> soundingBoxes;  // by position in cell->soundings
  std::vector<char> soundingHasBox;

  // Whether the cell's coverage holds the point.
  bool covers(const ChartPoint& point) const;
};

// Whether an M_COVR area is coverage (CATCOV 1), not a gap in it.
bool isCoverageArea(const AreaFeature& area);
