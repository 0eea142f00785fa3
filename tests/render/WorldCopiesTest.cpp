// The chart as one continuous world: the copies of a box a view meets, x
// moved between copies, and a view panned round the world.
#include <gtest/gtest.h>

#include <cmath>

#include "ViewGeometry.h"
#include "WorldCopies.h"

namespace {
constexpr double W = mercator::kWorldWidth;
double atLongitude(double degrees) { return geoToChart({0, degrees}).x; }
ChartBox between(double west, double east, double south = -1e9, double north = 1e9) {
  return {atLongitude(west), south, atLongitude(east), north};
}
}  // namespace

TEST(WorldCopies, CopiesOfABoxThatMeetAView) {
  const ChartBox across = between(170, 190);  // a view across the 180th meridian
  struct Case {
    const char* what;
    ChartBox box, view;
    int first, last;  // last < first: none
  } cases[] = {
      {"west of 180", between(175, 178), across, 0, 0},
      {"east of 180, one world east", between(-178, -175), across, 1, 1},
      {"a cell kept continuous across 180", between(177, 183), across, 0, 0},
      {"far from the view", between(-10, 10), across, 0, -1},
      {"north of the view", between(175, 178, 2e9, 3e9), across, 0, -1},
      {"the whole world, edges touching", between(-180, 180), across, 0, 1},
      {"a view of -180..-170 meets 170..190 one world west", between(170, 190), between(-180, -170), -1, -1},
      {"a view of a hundred worlds shows the eight nearest", between(0, 1), {-100 * W, -1e9, 100 * W, 1e9}, -4, 3},
      {"a view of no size", between(0, 1), {NAN, NAN, NAN, NAN}, 0, -1},
  };
  for (const Case& c : cases) {
    const WorldCopies copies = worldCopiesMeeting(c.box, c.view);
    if (c.last < c.first) {
      EXPECT_TRUE(copies.empty()) << c.what;
      continue;
    }
    EXPECT_EQ(copies.first, c.first) << c.what;
    EXPECT_EQ(copies.last, c.last) << c.what;
  }
}

TEST(WorldCopies, XMovesByWholeWorlds) {
  EXPECT_NEAR(wrappedX(atLongitude(190)), atLongitude(-170), 1e-3);
  EXPECT_EQ(wrappedX(W / 2), -W / 2);  // the middle copy ends just short of 180 east
  EXPECT_EQ(wrappedX(-W / 2), -W / 2);
  EXPECT_NEAR(wrappedX(-5 * W + 7), 7, 1e-2);
  EXPECT_EQ(wrappedX(12345), 12345);
  EXPECT_TRUE(std::isnan(wrappedX(NAN)));
  EXPECT_NEAR(nearestCopyX(atLongitude(-179), atLongitude(179)), atLongitude(181), 1e-3);
  EXPECT_NEAR(nearestCopyX(atLongitude(179), atLongitude(-179)), atLongitude(-181), 1e-3);
  EXPECT_EQ(nearestCopyX(100, 50), 100);
  EXPECT_EQ(nearestCopyX(100, INFINITY), 100);
}

// Panning east past 180 goes on into the western hemisphere: the centre
// stays in the middle copy and reads as the longitude under it.
TEST(WorldCopies, APanRoundTheWorldKeepsTheCentreInTheMiddleCopy) {
  ViewGeometry v;
  v.viewportWidth = 23 * 100;
  v.viewportHeight = 23 * 80;
  v.scale = 1e6;
  setCentreGeo(47, 119, v);
  // Eleven pans of 22 degrees each (a press at one pixel, the release to
  // the west of it).
  const float step = static_cast<float>((atLongitude(22) / v.scale) / LOGICAL_UNITS_PER_PIXEL);
  for (int i = 0; i < 11; ++i) {
    pan(50 + step, 40, 50, 40, v);
    updateOrigin(v);
  }
  EXPECT_GE(v.centre.x, -W / 2);
  EXPECT_LT(v.centre.x, W / 2);
  EXPECT_DOUBLE_EQ(v.origin.x, v.centre.x - 1150 * 1e6);
  const GeoPoint g = pixelToGeo(50, 40, v);
  EXPECT_NEAR(g.longitude, 119 + 11 * 22 - 360, 0.01);  // 121W
  EXPECT_NEAR(g.latitude, 47, 1e-5);
}
