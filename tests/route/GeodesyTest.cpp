// Geodesics and rhumb lines on the ellipsoid against published reference
// values (Vincenty's test lines, Karney's examples, the worked examples of
// GeographicLib's documentation) and the lines whose lengths are exact by
// construction: meridians, the equator, parallels. The requirement is 1 m
// and 0.01 degree.
#include <gtest/gtest.h>

#include <cmath>

#include "Geodesic.h"
#include "LegTrack.h"
#include "Loxodrome.h"

namespace {

constexpr double kMetres = 1.0;
constexpr double kDegrees = 0.01;
constexpr double kPi = 3.14159265358979323846;

double dms(double d, double m, double s) { return d + m / 60 + s / 3600; }

// Difference of two courses the short way round.
double courseDifference(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

const Ellipsoid kBessel(6377397.155, 1 / 299.1528128);
const Ellipsoid kInternational(6378388.0, 1 / 297.0);

struct GeodesicCase {
  const char* name;
  const Ellipsoid* ellipsoid;
  GeoPoint from, to;
  double metres, initialCourse, finalCourse;  // finalCourse NAN where not published
};

const GeodesicCase kGeodesics[] = {
    {"Flinders Peak to Buninyong", &Ellipsoid::wgs84(),
     {-dms(37, 57, 3.72030), dms(144, 25, 29.52440)}, {-dms(37, 39, 10.15610), dms(143, 55, 35.38390)},
     54972.271, dms(306, 52, 5.37), dms(127, 10, 25.07) + 180},
    {"Vincenty (a), Bessel", &kBessel, {dms(55, 45, 0), 0}, {-dms(33, 26, 0), dms(108, 13, 0)},
     14110526.170, dms(96, 36, 8.79960), dms(137, 52, 22.01454)},
    {"Vincenty (b), International", &kInternational, {dms(37, 19, 54.95367), 0},
     {dms(26, 7, 42.83946), dms(41, 28, 35.50729)}, 4085966.703, dms(95, 27, 59.63089), dms(118, 5, 58.96161)},
    {"Vincenty (c), International", &kInternational, {dms(35, 16, 11.24862), 0},
     {dms(67, 22, 14.77638), dms(137, 47, 28.31435)}, 8084823.839, dms(15, 44, 23.74850), dms(144, 55, 39.92147)},
    {"Vincenty (d), nearly antipodal", &kInternational, {1, 0}, {-dms(0, 59, 53.83076), dms(179, 17, 48.02997)},
     19960000.000, 89, dms(91, 0, 6.11733)},
    {"Vincenty (e), nearly antipodal", &kInternational, {1, 0}, {dms(1, 1, 15.18952), dms(179, 46, 17.84244)},
     19780006.558, dms(4, 59, 59.99995), dms(174, 59, 59.88481)},
    {"Karney, nearly antipodal", &Ellipsoid::wgs84(), {-30, 0}, {29.9, 179.8}, 19989832.827610, 161.890524736,
     18.090737246},
    {"Karney, five metres", &Ellipsoid::wgs84(), {-30.12345, 0}, {-30.12344, 0.00005}, 4.944208, 77.043533542,
     NAN},
    {"JFK to LHR", &Ellipsoid::wgs84(), {40.6, -73.8}, {51.6, -0.5}, 5551759.400, 51.198882845, 107.821776735},
    {"JFK to Changi", &Ellipsoid::wgs84(), {dms(40, 38, 23), -dms(73, 46, 44)}, {dms(1, 21, 33), dms(103, 59, 22)},
     15347628, dms(3, 18, 29.9), dms(177, 29, 9.2)},
};

TEST(Geodesy, PublishedGeodesicsInverseAndDirect) {
  for (const GeodesicCase& c : kGeodesics) {
    SCOPED_TRACE(c.name);
    const GeodesicSolution g = solveGeodesic(c.from, c.to, *c.ellipsoid);
    EXPECT_NEAR(g.metres, c.metres, kMetres);
    EXPECT_LT(courseDifference(g.initialCourse, c.initialCourse), kDegrees);
    if (!std::isnan(c.finalCourse)) {
      EXPECT_LT(courseDifference(g.finalCourse, c.finalCourse), kDegrees);
    }
    // Walking the published course for the published distance arrives.
    const GeodesicLine::Point end = GeodesicLine(c.from, c.initialCourse, *c.ellipsoid).at(c.metres);
    EXPECT_LT(solveGeodesic(end.position, c.to, *c.ellipsoid).metres, kMetres);
    if (!std::isnan(c.finalCourse)) {
      EXPECT_LT(courseDifference(end.course, c.finalCourse), kDegrees);
    }
    // And the way back is the same line.
    const GeodesicSolution back = solveGeodesic(c.to, c.from, *c.ellipsoid);
    EXPECT_NEAR(back.metres, g.metres, 1e-6);
    EXPECT_LT(courseDifference(back.initialCourse, g.finalCourse + 180), 1e-6);
  }
}

TEST(Geodesy, KarneysDirectExample) {
  const GeodesicLine::Point p = GeodesicLine({40, 0}, 30).at(10e6);
  EXPECT_NEAR(p.position.latitude, 41.79331020506, 1e-9);
  EXPECT_NEAR(p.position.longitude, 137.84490004377, 1e-9);
  EXPECT_NEAR(p.course, 149.09016931807, 1e-9);
}

// Lines whose lengths follow from the ellipsoid alone: along the equator a
// degree is a pi / 180; meridian arcs are the same whichever way they are
// reached; across the 180th meridian and through the poles.
TEST(Geodesy, MeridiansEquatorPolesAndTheAntimeridian) {
  const Ellipsoid& e = Ellipsoid::wgs84();
  const double degree = e.a() * kPi / 180;
  const double quarter = 10001965.729313;  // WGS84 equator to pole
  const double arc80 = e.meridianArc(80 * kPi / 180);
  struct Case {
    const char* name;
    GeoPoint from, to;
    double metres, initialCourse, finalCourse;
  } cases[] = {
      {"equator to pole", {0, 10}, {90, 10}, quarter, 0, 0},
      {"half a meridian ellipse, through the pole", {0, 0}, {0, 180}, 2 * quarter, 0, 180},
      {"over the north pole", {80, 20}, {80, -160}, 2 * (quarter - arc80), 0, 180},
      {"over the south pole", {-80, 20}, {-80, -160}, 2 * (quarter - arc80), 180, 0},
      {"from the north pole down the meridian 30 E", {90, 0}, {80, 30}, quarter - arc80, 150, 180},
      {"along the equator", {0, 10}, {0, 12}, 2 * degree, 90, 90},
      {"along the equator across 180", {0, 179.5}, {0, -179.5}, degree, 90, 90},
      {"along the equator across 180 westward", {0, -179.5}, {0, 179.5}, degree, 270, 270},
      {"the same point in two copies of the world", {10, 20}, {10, 380}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const GeodesicSolution g = solveGeodesic(c.from, c.to);
    EXPECT_NEAR(g.metres, c.metres, 1e-3);
    EXPECT_LT(courseDifference(g.initialCourse, c.initialCourse), 1e-6);
    EXPECT_LT(courseDifference(g.finalCourse, c.finalCourse), 1e-6);
  }
  // Across the antimeridian a great circle goes the short way, whichever
  // copy of the world each end was given in.
  const double fiji = solveGeodesic({-17, 178}, {-16, -178}).metres;
  EXPECT_NEAR(solveGeodesic({-17, 178}, {-16, 182}).metres, fiji, 1e-6);
  EXPECT_NEAR(solveGeodesic({-17, -182}, {-16, -178}).metres, fiji, 1e-6);
  EXPECT_LT(fiji, 500000);
}

TEST(Geodesy, PublishedAndExactRhumbLines) {
  const Ellipsoid& e = Ellipsoid::wgs84();
  const double phi60 = 60 * kPi / 180;
  const double tenDegreesAt60 = e.a() * std::cos(phi60) / std::sqrt(1 - e.eccentricitySquared() * 0.75) * (10 * kPi / 180);
  const double degreeOnEquator = e.a() * kPi / 180;
  const double arc10to20 = solveGeodesic({10, 5}, {20, 5}).metres;  // a meridian: the geodesic is the rhumb line
  const double arc85toPole = solveGeodesic({85, 0}, {90, 0}).metres;
  struct Case {
    const char* name;
    GeoPoint from, to;
    double metres, course;
  } cases[] = {
      {"JFK to LHR", {40.6, -73.8}, {51.6, -0.5}, 5771083.383, 77.76838971},
      {"along the parallel 60 eastward", {60, 10}, {60, 20}, tenDegreesAt60, 90},
      {"along the parallel 60 westward", {60, 20}, {60, 10}, tenDegreesAt60, 270},
      {"along the parallel 60 across 180", {60, 175}, {60, -175}, tenDegreesAt60, 90},
      {"along the parallel 60 across 180 westward", {60, -175}, {60, 175}, tenDegreesAt60, 270},
      {"along the equator", {0, -0.5}, {0, 0.5}, degreeOnEquator, 90},
      {"along a meridian", {10, 5}, {20, 5}, arc10to20, 0},
      {"along a meridian southward", {20, 5}, {10, 5}, arc10to20, 180},
      {"to the pole", {85, 40}, {90, 0}, arc85toPole, 0},
      {"from the pole", {90, 0}, {85, 40}, arc85toPole, 180},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RhumbSolution r = solveRhumb(c.from, c.to);
    EXPECT_NEAR(r.metres, c.metres, kMetres);
    EXPECT_LT(courseDifference(r.course, c.course), kDegrees);
    if (std::fabs(c.from.latitude) != 90) {
      const GeoPoint end = RhumbLine(c.from, r.course).at(r.metres);
      EXPECT_LT(solveGeodesic(end, c.to).metres, 1e-3);
    }
  }
}

// Near a parallel the rhumb line's length moves from one formula to
// another; walking each line arrives where it was aimed, and its length
// stays the parallel's arc plus what the small change of latitude adds.
TEST(Geodesy, RhumbLinesCloseToAParallelAndNearThePole) {
  const Ellipsoid& e = Ellipsoid::wgs84();
  for (double latitude : {0.0, 45.0, 80.0, 89.9}) {
    for (double dLat : {0.0, 1e-9, 1e-7, 5.6e-4, 5.8e-4, 1e-2}) {
      SCOPED_TRACE(testing::Message() << latitude << " + " << dLat);
      const GeoPoint from{latitude, 100}, to{latitude + dLat, 103};
      const RhumbSolution r = solveRhumb(from, to);
      // The middle parallel's arc is good to 1e-5 where the parallels
      // change little over dLat (not within 0.1 degree of the pole).
      if (latitude < 89 || dLat < 1e-3) {
        const double parallel = e.parallelRadius((latitude + dLat / 2) * kPi / 180) * 3 * kPi / 180;
        const double meridional = e.meridianArc(to.latitude * kPi / 180) - e.meridianArc(from.latitude * kPi / 180);
        EXPECT_NEAR(r.metres, std::hypot(parallel, meridional), std::max(2e-3, 1e-5 * r.metres));
      }
      const GeoPoint end = RhumbLine(from, r.course).at(r.metres);
      EXPECT_LT(solveGeodesic(end, to).metres, 1e-3);
    }
  }
}

TEST(Geodesy, PointsAlongLegs) {
  struct Case {
    const char* name;
    GeoPoint from, to;
    LegKind kind;
  } cases[] = {
      {"great circle across the Pacific", {35, 140}, {37, -122}, LegKind::GreatCircle},
      {"great circle over the north pole", {80, 20}, {80, -160}, LegKind::GreatCircle},
      {"great circle across 180 near the equator", {-1, 170}, {2, -170}, LegKind::GreatCircle},
      {"rhumb line across the Atlantic", {40.6, -73.8}, {51.6, -0.5}, LegKind::Rhumb},
      {"rhumb line along the parallel 70 across 180", {70, 170}, {70, -170}, LegKind::Rhumb},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LegTrack leg(c.from, c.to, c.kind);
    std::vector<GeoPoint> points;
    leg.appendPoints(100000, points);
    ASSERT_EQ(points.size(), static_cast<std::size_t>(std::ceil(leg.metres() / 100000)) + 1);
    EXPECT_EQ(points.front().latitude, c.from.latitude);
    EXPECT_EQ(points.back().longitude, c.to.longitude);
    for (std::size_t i = 1; i < points.size(); ++i) {
      const double step = i + 1 < points.size() ? 100000 : leg.metres() - 100000 * (points.size() - 2);
      if (c.kind == LegKind::GreatCircle) {
        // On the shortest line: the two parts add up to the whole.
        EXPECT_NEAR(solveGeodesic(c.from, points[i]).metres + solveGeodesic(points[i], c.to).metres, leg.metres(), 1e-3);
        EXPECT_NEAR(solveGeodesic(points[i - 1], points[i]).metres, step, 1e-3);
      } else {
        // One course all the way.
        const RhumbSolution r = solveRhumb(points[i - 1], points[i]);
        EXPECT_LT(courseDifference(r.course, leg.initialCourse()), 1e-6);
        EXPECT_NEAR(r.metres, step, 1e-3);
      }
    }
    if (c.kind == LegKind::GreatCircle && c.from.latitude == 80) {
      // Over the pole: up one meridian and down the other.
      for (const GeoPoint& p : points) EXPECT_TRUE(p.longitude == 20 || p.longitude == -160) << p.longitude;
    }
  }
  // A spacing too fine for the leg is widened to the most points a leg gives.
  std::vector<GeoPoint> many;
  LegTrack({0, 0}, {0, 90}, LegKind::GreatCircle).appendPoints(1.0, many);
  EXPECT_EQ(many.size(), static_cast<std::size_t>(LegTrack::kMaxPoints));
}

}  // namespace
