#pragma once
// Small synthetic cells for the chart tests, written with the S-57 test writer.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Catalogue.h"
#include "S57Writer.h"

namespace fixtures {

// Attribute codes used by the fixtures.
constexpr int kOBJNAM = 116, kSCAMAX = 132, kSCAMIN = 133, kDRVAL1 = 87, kNOBJNM = 301, kORIENT = 117;

// A catalogue that knows OBJNAM, DRVAL1, NOBJNM, ORIENT and SCAMAX, not SCAMIN.
AttributeCatalogue attributeCatalogue();

// A cell named `name` with one M_NSYS area (a square of `size` degrees
// from 47N 122W, or from `south`, `west`), a depth area inside it, a contour
// line and a light, produced by `agency` (550, a hydrographic office, unless
// told otherwise).
s57write::S57Writer smallCell(const std::string& name, double size = 0.1, int compilationScale = 20000,
                              int agency = 550, double south = 47.0, double west = -122.0);

// A cell whose features each stand alone in their own square of a grid, so
// that the picture or the pick of one never meets another: squares of
// `side` degrees from 47N 122W, `columns` to a row, northwards row by row.
// A point stands at the middle of its square, a line runs across its middle
// from west to east, an area covers its middle half. The cell's extent
// (M_NSYS, which draws nothing) covers the grid.
class GridCell {
public:
  explicit GridCell(std::string name, int columns = 6, double side = 0.01, int compilationScale = 5000);
  // Each returns the feature's square.
  int addPoint(int objl, std::vector<s57write::Attribute> attributes);
  int addLine(int objl, std::vector<s57write::Attribute> attributes);
  int addArea(int objl, std::vector<s57write::Attribute> attributes);
  // The middle of a square: latitude, longitude.
  std::pair<double, double> middle(int square) const;
  // Writes the cell (its extent added) into `directory`; returns the path.
  std::string write(const std::string& directory);

private:
  s57write::Feature feature(int prim, int objl, std::vector<s57write::Attribute> attributes);
  std::pair<double, double> corner(int square) const;  // south-west

  s57write::S57Writer writer_;
  std::string name_;
  int columns_;
  double side_;
  int squares_ = 0;
  std::int64_t lastRecord_ = 0;
};

// Writes `writer` to a fresh file in `directory`; returns the path.
std::string writeCell(const s57write::S57Writer& writer, const std::string& directory, const std::string& file);

// A fresh directory under the system temporary folder, removed with its
// content when the object goes.
struct TempDirectory {
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;
  std::string path;
};

}  // namespace fixtures
