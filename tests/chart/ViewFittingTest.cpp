// Fitting a view to cells on a world that goes round.
#include <gtest/gtest.h>

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
