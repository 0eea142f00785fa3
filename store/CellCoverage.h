#pragma once
// Where a cell has data, worked out once when the store takes it: its
// coverage (the outlines of its M_COVR areas of CATCOV 1), its compilation
// scale and the box round all its positions, in degrees.
#include <vector>

class S57CellReader;

struct GeoPosition {
  double latitude = 0;
  double longitude = 0;
};

struct CellCoverage {
  int compilationScale = 0;  // DSPM CSCL
  bool hasExtent = false;
  // South, west, north, east. A cell across the 180th meridian has east
  // beyond 180 (170 to 190, say), as the chart model lays it.
  double south = 0, west = 0, north = 0, east = 0;
  // Each ring closed (the last position the first's), exterior and holes
  // alike, in the order the areas and their edges give them.
  std::vector<std::vector<GeoPosition>> outlines;
};

// The coverage of a cell as read (its updates applied). Edges the records
// lack are passed over, so a damaged cell gives what can be made of it.
CellCoverage cellCoverage(const S57CellReader& reader);
