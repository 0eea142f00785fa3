#pragma once
// Cutting the synthetic sea to a cell. A curve is given by its longitude at
// each sample row (latitudes rising, the cell's south and north edges the
// first and last); between rows it is straight. A strip is the water (or
// land) between two curves, the left one west of the right one at every row;
// either may be infinite to reach the cell's edge. Points where a curve
// crosses the cell's west or east edge are found between rows, from the
// two rows alone, so that neighbouring cells find the same points.
#include <vector>

namespace portfolio {

struct PlanePoint {
  double x = 0, y = 0;  // longitude and latitude, in any one unit
};

struct StripPiece {
  std::vector<PlanePoint> ring;  // clockwise, the first point not repeated
  double south = 0, north = 0;   // the latitudes the piece spans
};

// The pieces of the strip between `left` and `right` inside west..east:
// one per stretch of rows where the strip shows in the cell.
std::vector<StripPiece> clipStrip(const std::vector<double>& rows, const std::vector<double>& left,
                                  const std::vector<double>& right, double west, double east);

// The stretches of a curve inside west..east, each south to north.
std::vector<std::vector<PlanePoint>> clipCurve(const std::vector<double>& rows, const std::vector<double>& curve,
                                               double west, double east);

}  // namespace portfolio
