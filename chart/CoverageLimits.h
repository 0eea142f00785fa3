#pragma once
// The limits of the chart data a pass shows, drawn over each cell after its
// features (and under the more detailed cells drawn next):
// - the limit of the data, LC(HODATA01), along each part of the cell's
//   coverage (M_COVR areas of CATCOV 1) beyond which no other cell drawn in
//   the pass has coverage, so the line runs where the chart ends, not
//   between two cells that join; not on a cell of data that is not an
//   official ENC, whose whole coverage is marked instead (NonOfficialMark.h);
// - with scale boundaries switched on, the scale boundary, LC(SCLBDY51),
//   along each part of the coverage beyond which (or on both sides of
//   which) a cell drawn of another compilation scale has its coverage, and
//   along the parts of the cell's M_CSCL areas that lie inside its own
//   coverage, where the cell changes scale within itself.
// Which side lies in which coverage is told at points a few pixels either
// side of each segment's middle (at most a fixed number of boundary vertices
// visited per cell and pass: coverage of absurd detail is taken as the limit
// of the data all along). Each line drawn is told to the recorder as that
// area's LC instruction.
#include <vector>

#include "ChartModel.h"
#include "DrawContext.h"

// One coverage area (M_COVR of CATCOV 1) of a cell a pass draws.
struct DrawnCoverage {
  const S57Cell* cell = nullptr;
  const AreaFeature* area = nullptr;
  int compilationScale = 0;  // the cell's, as the scale rules take it
};

// The coverage areas of the cells a pass draws, into `out` (emptied first;
// it keeps its capacity from one pass to the next).
void collectDrawnCoverage(const std::vector<S57Cell*>& drawn, std::vector<DrawnCoverage>& out);

// Whether `p` lies inside the coverage area (outside its holes), in the copy
// of the world nearest the area. The vertices visited are taken from
// `budget`.
bool insideDrawnCoverage(const DrawnCoverage& coverage, const ChartPoint& p, long long& budget);

// `coverage` is collectDrawnCoverage of the cells the pass draws.
void drawCoverageLimits(DrawContext& dc, const S57Cell& cell, const std::vector<DrawnCoverage>& coverage);
