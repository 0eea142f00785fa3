// Range and bearing on the WGS84 ellipsoid against published geodesics and
// the exact cases of meridians and the equator.
#include <gtest/gtest.h>

#include "Geodesic.h"

namespace {

double dms(double d, double m, double s) { return d + m / 60 + s / 3600; }

TEST(Geodesic, PublishedAndExactLines) {
  struct Case {
    GeoPoint from, to;
    double metres, bearing, metresTolerance;
  } cases[] = {
      // Flinders Peak to Buninyong, the geodetic survey's worked example.
      {{-dms(37, 57, 3.72030), dms(144, 25, 29.52440)},
       {-dms(37, 39, 10.15610), dms(143, 55, 35.38390)},
       54972.271, dms(306, 52, 5.37), 0.001},
      // A quarter meridian, equator to pole.
      {{0, 10}, {90, 10}, 10001965.729, 0, 0.001},
      // Along the equator a degree is a / 180 x pi.
      {{0, 0}, {0, 1}, 6378137.0 * 3.14159265358979 / 180, 90, 0.001},
      {{0, 1}, {0, 0}, 6378137.0 * 3.14159265358979 / 180, 270, 0.001},
      {{47.3, -122.4}, {47.2, -122.4}, 11120.0, 180, 15},  // due south, about 6 nm
      {{10, 20}, {10, 20}, 0, 0, 0},
      // Across the 180th meridian the short way, whichever copy of the
      // world the ends were read from.
      {{0, 179.5}, {0, -179.5}, 6378137.0 * 3.14159265358979 / 180, 90, 0.001},
      {{0, -179.5}, {0, 179.5}, 6378137.0 * 3.14159265358979 / 180, 270, 0.001},
  };
  for (const Case& c : cases) {
    const RangeBearing r = rangeAndBearing(c.from, c.to);
    EXPECT_NEAR(r.metres, c.metres, c.metresTolerance) << c.from.latitude << "," << c.from.longitude;
    EXPECT_NEAR(r.bearing, c.bearing, 1e-5) << c.from.latitude << "," << c.from.longitude;
  }
}

TEST(Geodesic, NearlyAntipodalPositionsGiveTheExactRange) {
  // Where Vincenty's iteration does not converge: the geodesic found is the
  // one that, walked from the start on its bearing, arrives (a sphere's
  // great circle would be kilometres off).
  const RangeBearing r = rangeAndBearing({0, 0}, {0.5, 179.7});
  EXPECT_NEAR(r.metres, 20003931.0, 20003931.0 * 0.005);
  const GeodesicLine::Point end = GeodesicLine({0, 0}, r.bearing).at(r.metres);
  EXPECT_LT(rangeAndBearing(end.position, {0.5, 179.7}).metres, 0.01);
}

}  // namespace
