#include <gtest/gtest.h>

#include "MercatorProjection.h"

TEST(Projection, ParallelRadiusComesFromTruncatedPi) {
  EXPECT_NEAR(parallelRadius(), 5528264.691622807, 1e-8);
}

// pi/4 written as 0.785398163375 falls just short of the true value, so the
// equator lies slightly south of y = 0 and comes back slightly north of 0.
TEST(Projection, EquatorIsOffsetByTruncatedQuarterPi) {
  const ChartPoint p = geoToChart({0, 0});
  EXPECT_EQ(p.x, 0);
  EXPECT_NEAR(p.y, -24.82, 0.005);
  const GeoPoint back = chartToGeo(p);
  EXPECT_NEAR(back.latitude, 1.54e-6, 0.01e-6);
  EXPECT_EQ(back.longitude, 0);
}

TEST(Projection, RoundTripsWithinTwoMillionthsOfADegree) {
  const GeoPoint cases[] = {{30, 119}, {47.6, -122.3}, {-33.9, 151.2}, {60, 5}, {-60, -70}, {75, 10}};
  for (const GeoPoint& g : cases) {
    SCOPED_TRACE(testing::Message() << g.latitude << "," << g.longitude);
    const ChartPoint p = geoToChart(g);
    const GeoPoint back = chartToGeo(p);
    EXPECT_NEAR(back.latitude, g.latitude, 2e-6);
    EXPECT_NEAR(back.longitude, g.longitude, 1e-9);
  }
}

TEST(Projection, NorthIsUpAndEastIsRight) {
  const ChartPoint a = geoToChart({47.6, -122.4});
  const ChartPoint b = geoToChart({47.7, -122.3});
  EXPECT_GT(b.x, a.x);
  EXPECT_GT(b.y, a.y);
  // One degree of longitude is the same width everywhere: the parallel 30's
  // radius times pi/180, in chart units.
  EXPECT_NEAR(b.x - a.x, 0.1 * 3.1415926 / 180 * 5528264.691622807 * 100000, 1e-3);
}

// x of any copy of the world reads as the longitude people know.
TEST(Projection, LongitudesComeBackWithin180) {
  const struct {
    double in, out;
  } cases[] = {{190, -170}, {-190, 170}, {180, 180}, {-180, -180}, {3 * 360 + 5, 5}, {-725, -5}, {910, -170}};
  for (const auto& c : cases) EXPECT_NEAR(chartToGeo(geoToChart({0, c.in})).longitude, c.out, 1e-9) << c.in;
}
