#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <climits>
#include <limits>
#include <vector>

#include "ViewGeometry.h"

namespace {
ViewGeometry view(double cx, double cy, float scale, int width, int height) {
  ViewGeometry v;
  v.centre = {cx, cy};
  v.scale = scale;
  v.viewportWidth = width;
  v.viewportHeight = height;
  updateOrigin(v);
  return v;
}
}  // namespace

TEST(ViewGeometry, SetupPainterMakesTheWindow23TimesTheWidget) {
  QImage image(40, 30, QImage::Format_ARGB32);
  QPainter painter(&image);
  ViewGeometry v;
  setupPainter(painter, 40, 30, v);
  EXPECT_EQ(v.viewportWidth, 920);
  EXPECT_EQ(v.viewportHeight, 690);
  EXPECT_EQ(painter.window(), QRect(0, 0, 920, 690));
  EXPECT_EQ(painter.window().right(), 919);
  EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing));
}

TEST(ViewGeometry, OriginAndLogicalPointsFollowCentreAndScale) {
  const ViewGeometry v = view(1000, 2000, 10, 230, 460);
  EXPECT_DOUBLE_EQ(v.origin.x, 1000 - 1150);
  EXPECT_DOUBLE_EQ(v.origin.y, 2000 + 2300);
  EXPECT_EQ(toLogical({1000, 2000}, v), QPoint(115, 230));  // centre in the middle
  EXPECT_EQ(toLogical(v.origin, v), QPoint(0, 0));
  EXPECT_EQ(toLogical({1000, 1900}, v), QPoint(115, 240));  // south is down
  // Truncation goes towards zero: just left of the origin is still column 0.
  EXPECT_EQ(toLogical({v.origin.x - 5, v.origin.y + 5}, v), QPoint(0, 0));
  // Points far outside saturate instead of overflowing.
  EXPECT_EQ(toLogical({1e15, -1e15}, v), QPoint(INT_MAX, INT_MAX));
}

TEST(ViewGeometry, PixelToChartUsesIntegerHalfViewport) {
  const ViewGeometry v = view(0, 0, 2, 2301, 2300);  // 2301 / 2 = 1150
  const ChartPoint middle = pixelToChart(50, 50, v);
  EXPECT_DOUBLE_EQ(middle.x, 0);
  EXPECT_DOUBLE_EQ(middle.y, 0);
  const ChartPoint corner = pixelToChart(0, 0, v);
  EXPECT_DOUBLE_EQ(corner.x, -2300);
  EXPECT_DOUBLE_EQ(corner.y, 2300);
  const ChartPoint fractional = pixelToChart(0.5f, 0, v);  // 11.5 logical units, truncated to 11
  EXPECT_DOUBLE_EQ(fractional.x, -(1150 - 11) * 2);
}

TEST(ViewGeometry, CentreGeoConvertsAndPixelToGeoComesBack) {
  ViewGeometry v;
  v.viewportWidth = 23 * 100;
  v.viewportHeight = 23 * 80;
  setCentreGeo(30, 119, v);
  EXPECT_DOUBLE_EQ(v.origin.x, v.centre.x - 1150 * 90000.0);
  const GeoPoint g = pixelToGeo(50, 40, v);
  EXPECT_NEAR(g.latitude, 30, 2e-6);
  EXPECT_NEAR(g.longitude, 119, 1e-9);
}

TEST(ViewGeometry, PanMovesWithTheMouse) {
  struct Case {
    float pressX, pressY, releaseX, releaseY;
    double dx, dy;  // centre change in logical units (times scale)
  } cases[] = {
      {100, 100, 110, 100, -230, 0},  // 10 right: west only
      {100, 100, 90, 100, 230, 0},    // 10 left
      {100, 100, 100, 100, 0, 0},     // no movement, no pan
      {100, 100, 100, 110, 0, 230},   // 10 down: north
      {100, 100, 80, 70, 460, -690},  // 20 left and 30 up
  };
  for (const Case& c : cases) {
    ViewGeometry v = view(5000, 7000, 4, 0, 0);
    pan(c.pressX, c.pressY, c.releaseX, c.releaseY, v);
    EXPECT_DOUBLE_EQ(v.centre.x, 5000 + c.dx * 4) << c.releaseX << "," << c.releaseY;
    EXPECT_DOUBLE_EQ(v.centre.y, 7000 + c.dy * 4) << c.releaseX << "," << c.releaseY;
  }
}

TEST(ViewGeometry, WheelZoomFromStartScaleStopsAfterSixteenHalvings) {
  ViewGeometry v;
  v.scale = 36978668.0f;
  int steps = 0;
  while (v.scale >= 1000) {
    zoomIn(v);
    ++steps;
  }
  EXPECT_EQ(steps, 16);
  zoomOut(v);
  EXPECT_FLOAT_EQ(v.scale, 36978668.0f / 32768);
}

TEST(ViewGeometry, ZoomingNeverLeavesAScaleOfZeroOrBelow) {
  // A scale of 0 or worse is put back to the start value before the step.
  for (float bad : {0.0f, -20000.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
    ViewGeometry v;
    v.scale = bad;
    zoomOut(v);
    EXPECT_FLOAT_EQ(v.scale, 2 * kStartViewScale) << bad;
    v.scale = bad;
    zoomIn(v);
    EXPECT_FLOAT_EQ(v.scale, kStartViewScale / 2) << bad;
  }
  // A step that would reach 0 or infinity is not taken.
  ViewGeometry v;
  v.scale = std::numeric_limits<float>::denorm_min();
  zoomIn(v);
  EXPECT_EQ(v.scale, std::numeric_limits<float>::denorm_min());
  v.scale = std::numeric_limits<float>::max();
  zoomOut(v);
  EXPECT_EQ(v.scale, std::numeric_limits<float>::max());
}

TEST(ViewGeometry, ThinningDropsPointsInTheLastKeptGridCell) {
  // Identity view: chart units are logical units.
  const ViewGeometry v = view(0, 0, 1, 0, 0);
  struct Case {
    std::vector<ChartPoint> in;
    std::vector<QPoint> out;
  } cases[] = {
      {{{0, 0}, {10, -10}}, {{0, 0}}},                         // same cell: a line collapses to one point
      {{{0, 0}, {40, 0}}, {{0, 0}, {40, 0}}},                  // next cell
      {{{0, 0}, {40, 0}, {50, 0}}, {{0, 0}, {40, 0}}},         // the last point is thinned too
      {{{0, 0}, {40, 0}, {0, 0}}, {{0, 0}, {40, 0}, {0, 0}}},  // compared with the last kept only
      {{}, {}},
  };
  for (const Case& c : cases) {
    std::vector<QPoint> out(c.in.size() + 100);
    const int n = thinToLogical(c.in.data(), static_cast<int>(c.in.size()), v, out.data());
    out.resize(n);
    EXPECT_EQ(out, c.out) << "case with " << c.in.size() << " points";
  }
  // Vertices go through the same rule.
  const ChartVertex vertices[] = {{{0, 0}, 0}, {{10, -10}, 0}, {{100, 0}, 0}};
  QPoint out[103];
  EXPECT_EQ(thinToLogical(vertices, 3, v, out), 2);
  EXPECT_EQ(out[1], QPoint(100, 0));
}
