// Fitting a view to cells on a world that goes round.
#include <gtest/gtest.h>

#include "CellGroups.h"
#include "TrueScale.h"
#include "ViewFitting.h"
#include "ViewGeometry.h"

namespace {
double at(double longitude) { return geoToChart({0, longitude}).x; }

std::unique_ptr<S57Cell> cellBetween(double west, double east) {
  auto cell = std::make_unique<S57Cell>();
  cell->boundingBox = {at(west), -1e9, at(east), 1e9};
  cell->extents = {cell->boundingBox};
  return cell;
}
}  // namespace

// The union east and west is the narrowest round the world: cells on both
// sides of 180 come together across it, not across the whole globe.
TEST(ViewFitting, CellsAreJoinedTheShortWayRound) {
  struct Case {
    const char* what;
    std::vector<std::pair<double, double>> cells;  // west and east, as the cells hold them
    double centre, width;                          // degrees
  } cases[] = {
      {"both sides of 180", {{178, 179}, {-179, -178}}, 180, 4},
      {"one cell kept continuous across 180 and one east of it", {{177, 183}, {-170, -169}}, -176, 14},
      {"one side only", {{10, 12}, {20, 21}}, 15.5, 11},
      {"three cells, the widest gap left out", {{-100, -99}, {0, 1}, {100, 101}}, 0.5, 201},
      {"a cell round the whole world", {{-180, 180}, {10, 11}}, 0, 360},
  };
  for (const Case& c : cases) {
    std::vector<std::unique_ptr<S57Cell>> cells;
    std::vector<S57Cell*> pointers;
    for (const auto& [west, east] : c.cells) {
      cells.push_back(cellBetween(west, east));
      pointers.push_back(cells.back().get());
    }
    ViewGeometry view;
    view.viewportWidth = view.viewportHeight = 230000;
    ASSERT_TRUE(fitViewToCells(pointers, view)) << c.what;
    const double centre = chartToGeo(view.centre).longitude;
    EXPECT_NEAR(normalizedLongitude(centre - c.centre), 0, 1e-6) << c.what << ": " << centre;
    const double widthNeeded = at(c.width) / (230000 * 0.8);
    const double heightNeeded = 2e9 / (230000 * 0.8);
    const double largest = viewScaleForTrueScale(kMaximumViewScale, view.centre.y, kDefaultPixelMillimetres);
    const double expected = std::min<double>(std::max(widthNeeded, heightNeeded), largest);
    EXPECT_NEAR(view.scale, expected, expected * 1e-6) << c.what;
  }
}

namespace {
// A cell of `side` degrees from a south-west corner, at a compilation scale.
std::unique_ptr<S57Cell> cellAt(const std::string& name, double south, double west, double side, int scale = 20000) {
  auto cell = std::make_unique<S57Cell>();
  cell->name = name;
  cell->compilationScale = scale;
  const ChartPoint low = geoToChart({south, west}), high = geoToChart({south + side, west + side});
  cell->boundingBox = {low.x, low.y, high.x, high.y};
  cell->extents = {cell->boundingBox};
  return cell;
}
}  // namespace

// The first view and Home show the largest group of cells near one another,
// not the box round all of them: a gap wider than the larger side of two
// cells parts them; cells that touch, overlap or lie near across 180 belong
// together; at equal numbers the group of wider boxes is shown.
TEST(CellGroups, TheLargestGroupOfCellsNearOneAnother) {
  struct Cell {
    const char* name;
    double south, west, side;
  };
  const struct {
    const char* what;
    std::vector<Cell> cells;
    std::vector<std::string> group;
  } cases[] = {
      {"a harbour in China and three approaches in the United States",
       {{"CN", 29.95, 122.4, 0.12}, {"US1", 47.2, -122.6, 0.2}, {"US2", 47.4, -122.6, 0.2}, {"US3", 47.6, -122.5, 0.3}},
       {"US1", "US2", "US3"}},
      {"a chain of harbours, each within its side of the next",
       {{"A", 10, 10, 0.1}, {"B", 10, 10.19, 0.1}, {"C", 10, 10.38, 0.1}, {"D", 30, 30, 0.1}},
       {"A", "B", "C"}},
      {"a gap wider than either side parts them", {{"A", 10, 10, 0.1}, {"B", 10, 10.31, 0.1}, {"C", 10, 10.62, 0.2}}, {"C"}},
      {"neighbours across 180", {{"E", -17, 179.85, 0.1}, {"W", -17, -179.98, 0.1}, {"X", 40, 20, 0.1}}, {"E", "W"}},
      {"one cell", {{"A", 1, 1, 1}}, {"A"}},
  };
  for (const auto& c : cases) {
    std::vector<std::unique_ptr<S57Cell>> cells;
    std::vector<S57Cell*> pointers;
    for (const Cell& cell : c.cells) {
      cells.push_back(cellAt(cell.name, cell.south, cell.west, cell.side));
      pointers.push_back(cells.back().get());
    }
    std::vector<std::string> group;
    for (const S57Cell* cell : largestCellGroup(pointers)) group.push_back(cell->name);
    EXPECT_EQ(group, c.group) << c.what;
  }
  S57Cell none;
  EXPECT_TRUE(largestCellGroup({&none}).empty());
  ViewGeometry view;
  view.viewportWidth = view.viewportHeight = 230000;
  EXPECT_FALSE(fitViewToLargestGroup({&none}, view));
}

// Fitted to its group, the view shows the cells where they are drawn: a
// group of harbour cells spread along a coast is shown at no smaller scale
// than fifty times theirs, on the group's middle.
TEST(CellGroups, TheViewFitsTheGroupAtAScaleWhereItsCellsAreDrawn) {
  std::vector<std::unique_ptr<S57Cell>> cells;
  std::vector<S57Cell*> pointers;
  for (int i = 0; i < 40; ++i) {
    cells.push_back(cellAt("H" + std::to_string(i), 10, 10 + 0.15 * i, 0.1, 10000));
    pointers.push_back(cells.back().get());
  }
  cells.push_back(cellAt("FAR", 50, 100, 0.1, 10000));
  pointers.push_back(cells.back().get());
  ViewGeometry view;
  view.viewportWidth = 23 * 800;
  view.viewportHeight = 23 * 600;
  ASSERT_TRUE(fitViewToLargestGroup(pointers, view));
  EXPECT_NEAR(trueScale(view), 500000, 1);
  const GeoPoint middle = chartToGeo(view.centre);
  EXPECT_NEAR(middle.longitude, 10 + (0.15 * 39 + 0.1) / 2, 1e-6);
  EXPECT_NEAR(middle.latitude, 10.05, 1e-3);
  // A small group needs no limit: it fits as the cells alone would.
  std::vector<S57Cell*> two = {pointers[0], pointers[1]};
  ViewGeometry fitted = view, alone = view;
  ASSERT_TRUE(fitViewToLargestGroup(two, fitted));
  ASSERT_TRUE(fitViewToCells(two, alone));
  EXPECT_EQ(fitted.scale, alone.scale);
  EXPECT_EQ(fitted.centre.x, alone.centre.x);
}
