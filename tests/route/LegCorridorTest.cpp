// The corridor of a leg: positions just inside and just outside each side's
// XTD (measured on the ellipsoid along the perpendicular from the leg), the
// quarter circles that close it at the waypoints, chart edges along and
// across it, and all of it across the 180th meridian and over a pole.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "LegCorridor.h"
#include "Route.h"

namespace {

constexpr double kNm = kMetresPerNauticalMile;
// How far inside or outside a limit the test positions lie: the corridor is
// to be exact to about a metre at its width.
constexpr double kMargin = 0.5;

struct LegCase {
  const char* name;
  GeoPoint from, to;
  LegKind kind;
};

const LegCase kLegs[] = {
    {"rhumb line at 47 N", {47.0, -123.0}, {47.2, -122.0}, LegKind::Rhumb},
    {"great circle at 47 N", {47.0, -123.0}, {47.2, -122.0}, LegKind::GreatCircle},
    {"rhumb line along a meridian", {47.0, -123.0}, {47.5, -123.0}, LegKind::Rhumb},
    {"rhumb line at 70 N", {70.0, 10.0}, {70.3, 14.0}, LegKind::Rhumb},
    {"great circle at 70 N", {70.0, 10.0}, {70.3, 14.0}, LegKind::GreatCircle},
    {"rhumb line along the equator", {0.0, -0.2}, {0.0, 0.2}, LegKind::Rhumb},
    {"rhumb line across 180", {-17.0, 179.8}, {-16.8, -179.7}, LegKind::Rhumb},
    {"great circle across 180", {-17.0, 179.8}, {-16.8, -179.7}, LegKind::GreatCircle},
    {"great circle over the north pole", {89.5, 0.0}, {89.5, 180.0}, LegKind::GreatCircle},
    {"great circle across the Pacific", {35.0, 140.0}, {37.0, -122.0}, LegKind::GreatCircle},
};

// The position `cross` metres to starboard (negative: to port) of the leg's
// point `along` metres from its start, along the geodesic at right angles.
GeoPoint beside(const LegTrack& leg, double along, double cross) {
  const LegTrack::Point p = leg.at(along);
  return GeodesicLine(p.position, p.course + 90).at(cross).position;
}

// The position `metres` from a waypoint on `course`.
GeoPoint from(GeoPoint p, double course, double metres) { return GeodesicLine(p, course).at(metres).position; }

TEST(LegCorridor, JustInsideAndJustOutsideEachSide) {
  for (const LegCase& c : kLegs) {
    const LegTrack leg(c.from, c.to, c.kind);
    for (double xtdNm : {0.1, 5.0}) {
      const double port = xtdNm * kNm, starboard = 3 * xtdNm * kNm;
      const LegCorridor corridor(leg, port, starboard);
      EXPECT_NEAR(corridor.lengthMetres(), leg.metres(), 1e-6);
      for (double share : {0.002, 1.0 / 3, 0.5, 0.998}) {
        const double along = share * leg.metres();
        for (const double limit : {-port, starboard}) {
          SCOPED_TRACE(testing::Message() << c.name << ", XTD " << xtdNm << " NM, " << share << " of the leg, "
                                          << (limit < 0 ? "port" : "starboard"));
          const double inward = limit < 0 ? kMargin : -kMargin;
          const GeoPoint in = beside(leg, along, limit + inward), out = beside(leg, along, limit - inward);
          EXPECT_TRUE(corridor.contains(in));
          EXPECT_FALSE(corridor.contains(out));
          const LegCorridor::Place place = corridor.place(in);
          EXPECT_NEAR(place.crossTrackMetres, limit + inward, kMargin);
          // Along the leg as far as the foot of the perpendicular (measured
          // for the narrow corridor, where the perpendiculars of rhumb line
          // and geodesic meet).
          if (xtdNm < 1) {
            EXPECT_NEAR(place.alongTrackMetres, along, kMargin / 2);
          }
        }
      }
      // On the leg itself.
      EXPECT_TRUE(corridor.contains(c.from));
      EXPECT_TRUE(corridor.contains(c.to));
      EXPECT_NEAR(corridor.place(leg.at(leg.metres() / 2).position).crossTrackMetres, 0, 0.05);
    }
  }
}

TEST(LegCorridor, QuarterCirclesCloseTheCorridorAtTheWaypoints) {
  for (const LegCase& c : kLegs) {
    SCOPED_TRACE(c.name);
    const LegTrack leg(c.from, c.to, c.kind);
    const double port = 0.1 * kNm, starboard = 0.3 * kNm;
    const LegCorridor corridor(leg, port, starboard);
    const double start = leg.initialCourse(), end = leg.finalCourse();
    // Straight back and straight on lie between the two quarters: inside
    // the smaller, outside the larger.
    struct Case {
      GeoPoint waypoint;
      double course, inside, outside;
    } cases[] = {
        {c.from, start + 180, port, starboard},
        {c.from, start - 135, port, port},  // back and to port
        {c.from, start + 135, starboard, starboard},
        {c.to, end, port, starboard},
        {c.to, end - 45, port, port},  // on and to port
        {c.to, end + 45, starboard, starboard},
    };
    for (const Case& k : cases) {
      SCOPED_TRACE(k.course);
      EXPECT_TRUE(corridor.contains(from(k.waypoint, k.course, k.inside - kMargin)));
      EXPECT_FALSE(corridor.contains(from(k.waypoint, k.course, k.outside + kMargin)));
    }
    // Before the start the along-track distance is negative.
    EXPECT_NEAR(corridor.place(from(c.from, start + 180, 100)).alongTrackMetres, -100, 0.25);
  }

  // A turn of 90 degrees to port: the outside of the turn, between the two
  // legs' bands, is covered by their quarter circles.
  Route turn("turn");
  turn.appendWaypoint(Waypoint{{0, -0.1}, "A", {}});
  turn.appendWaypoint(Waypoint{{0, 0}, "B", {}});
  turn.appendWaypoint(Waypoint{{0.1, 0}, "C", {}});
  const std::vector<LegCorridor> corridors = routeCorridors(turn);
  const double xtd = kDefaultXtdNm * kNm;
  auto inAny = [&](GeoPoint p) { return corridors[0].contains(p) || corridors[1].contains(p); };
  EXPECT_TRUE(inAny(from({0, 0}, 135, xtd - kMargin)));
  EXPECT_FALSE(corridors[0].place(from({0, 0}, 135, xtd - kMargin)).alongTrackMetres < corridors[0].lengthMetres());
  EXPECT_FALSE(inAny(from({0, 0}, 135, xtd + kMargin)));

  // A leg of no length is a disc about its waypoint.
  const LegCorridor point(LegTrack({10, 10}, {10, 10}, LegKind::Rhumb), 100, 100);
  for (double course : {0.0, 90.0, 200.0, 300.0}) {
    EXPECT_TRUE(point.contains(from({10, 10}, course, 99)));
    EXPECT_FALSE(point.contains(from({10, 10}, course, 101)));
  }
}

// The parts of an edge inside the corridor, checked against the corridor's
// own test of positions: each part's middle is inside, the positions just
// before and after it are not.
void expectSpansAgreeWithPlaces(const LegCorridor& corridor, GeoPoint p, GeoPoint q,
                                const std::vector<LegCorridor::Span>& spans) {
  const double length = solveRhumb(p, q).metres;
  const double step = 0.05 / std::max(length, 1.0);
  // The chart's straight line: latitude by isometric latitude, longitude in proportion.
  auto at = [&](double t) {
    const Ellipsoid& e = Ellipsoid::wgs84();
    const double k = 3.14159265358979323846 / 180;
    const double psiP = e.isometricLatitude(p.latitude * k), psiQ = e.isometricLatitude(q.latitude * k);
    const double dLon = std::remainder(q.longitude - p.longitude, 360.0);
    return GeoPoint{e.latitudeAtIsometric(psiP + t * (psiQ - psiP)) / k, normalizedLongitude(p.longitude + t * dLon)};
  };
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const LegCorridor::Span& s = spans[i];
    EXPECT_LE(s.from, s.to);
    if (i > 0) {
      EXPECT_GT(s.from, spans[i - 1].to);
    }
    EXPECT_TRUE(corridor.place(at((s.from + s.to) / 2)).inside);
    if (s.from > step) {
      EXPECT_FALSE(corridor.place(at(s.from - step)).inside) << s.from;
    }
    if (s.to < 1 - step) {
      EXPECT_FALSE(corridor.place(at(s.to + step)).inside) << s.to;
    }
    EXPECT_LT(solveGeodesic(s.enter, at(s.from)).metres, 0.01);
    EXPECT_LT(solveGeodesic(s.leave, at(s.to)).metres, 0.01);
  }
  if (spans.empty()) {
    for (int i = 0; i <= 100; ++i) EXPECT_FALSE(corridor.place(at(i / 100.0)).inside) << i;
  }
}

TEST(LegCorridor, EdgesAcrossTheCorridor) {
  for (const LegCase& c : kLegs) {
    SCOPED_TRACE(c.name);
    const LegTrack leg(c.from, c.to, c.kind);
    const double port = 0.1 * kNm, starboard = 0.3 * kNm;
    const LegCorridor corridor(leg, port, starboard);
    // Straight across at a third of the leg: one part, from port limit to starboard limit.
    const double along = leg.metres() / 3;
    const GeoPoint p = beside(leg, along, -2000), q = beside(leg, along, 2000);
    std::vector<LegCorridor::Span> spans;
    ASSERT_TRUE(corridor.appendEdgeSpans(p, q, spans));
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_NEAR(corridor.place(spans[0].enter).crossTrackMetres, -port, kMargin);
    EXPECT_NEAR(corridor.place(spans[0].leave).crossTrackMetres, starboard, kMargin);
    expectSpansAgreeWithPlaces(corridor, p, q, spans);
    // From inside to outside: the part starts at the edge's start.
    spans.clear();
    ASSERT_TRUE(corridor.appendEdgeSpans(leg.at(along).position, q, spans));
    EXPECT_EQ(spans[0].from, 0);
    // Wholly outside, beside the corridor.
    spans.clear();
    EXPECT_FALSE(corridor.appendEdgeSpans(beside(leg, along, 600), beside(leg, along + 1000, 700), spans));
    EXPECT_TRUE(spans.empty());
  }
}

// A leg along a line of the chart (a depth contour drawn along the leg,
// or just beside it): the edge is in the corridor from one end's quarter
// circle to the other's, and an edge just outside a limit is not in it.
TEST(LegCorridor, LegsAlongALine) {
  for (LegKind kind : {LegKind::Rhumb, LegKind::GreatCircle}) {
    SCOPED_TRACE(kind == LegKind::Rhumb ? "rhumb line" : "great circle");
    const LegTrack leg({0, -0.1}, {0, 0.1}, kind);  // along the equator, heading east
    const double xtd = 0.1 * kNm;
    const LegCorridor corridor(leg, xtd, xtd);
    std::vector<LegCorridor::Span> spans;
    ASSERT_TRUE(corridor.appendEdgeSpans({0, -0.2}, {0, 0.2}, spans));
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_NEAR(corridor.place(spans[0].enter).alongTrackMetres, -xtd, kMargin);
    EXPECT_NEAR(corridor.place(spans[0].leave).alongTrackMetres, leg.metres() + xtd, kMargin);
    for (double side : {-1.0, 1.0}) {  // north is port, south starboard
      for (double offset : {xtd - kMargin, xtd + kMargin}) {
        const double latitude = GeodesicLine({0, 0}, side < 0 ? 0 : 180).at(offset).position.latitude;
        spans.clear();
        const bool met = corridor.appendEdgeSpans({latitude, -0.2}, {latitude, 0.2}, spans);
        EXPECT_EQ(met, offset < xtd) << offset;
        if (met) {
          ASSERT_EQ(spans.size(), 1u);
          EXPECT_NEAR(corridor.place(spans[0].enter).alongTrackMetres, -std::sqrt(xtd * xtd - offset * offset), 2.0);
        }
        expectSpansAgreeWithPlaces(corridor, {latitude, -0.2}, {latitude, 0.2}, spans);
      }
    }
  }
}

TEST(LegCorridor, AcrossTheAntimeridianAndOverThePole) {
  // A leg from west of 180 to east of it, met by an edge along a parallel
  // that crosses 180 too.
  for (LegKind kind : {LegKind::Rhumb, LegKind::GreatCircle}) {
    const LegTrack leg({-17.2, 179.95}, {-16.6, -179.95}, kind);
    const LegCorridor corridor(leg, 0.2 * kNm, 0.2 * kNm);
    std::vector<LegCorridor::Span> spans;
    ASSERT_TRUE(corridor.appendEdgeSpans({-16.9, 179.5}, {-16.9, -179.5}, spans));
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_LT(solveGeodesic(spans[0].enter, {-16.9, 180}).metres, 1000);
    expectSpansAgreeWithPlaces(corridor, {-16.9, 179.5}, {-16.9, -179.5}, spans);
    // Along-track distance grows steadily across the meridian.
    double previous = -1;
    for (double lon : {179.96, 179.99, -179.99, -179.96}) {
      const double lat = -17.2 + 0.6 * (std::remainder(lon - 179.95, 360.0) / 0.1);
      const double along = corridor.place({lat, lon}).alongTrackMetres;
      EXPECT_GT(along, previous);
      previous = along;
    }
    EXPECT_FALSE(corridor.contains({-16.9, 0.0}));
    EXPECT_FALSE(corridor.contains({-16.9, 179.0}));
  }

  // Over the pole: the pole is on the leg, halfway.
  const LegTrack polar({89.5, 0}, {89.5, 180}, LegKind::GreatCircle);
  const LegCorridor corridor(polar, 0.1 * kNm, 0.1 * kNm);
  const LegCorridor::Place pole = corridor.place({90, 45});
  EXPECT_TRUE(pole.inside);
  EXPECT_NEAR(pole.alongTrackMetres, polar.metres() / 2, 0.25);
  EXPECT_NEAR(pole.crossTrackMetres, 0, 0.25);
  EXPECT_FALSE(corridor.contains({89.99, 90}));  // about 1.1 km to the side
  std::vector<LegCorridor::Span> spans;
  ASSERT_TRUE(corridor.appendEdgeSpans({89.9, 90}, {89.9, -90}, spans));  // across the pole, the short way
  expectSpansAgreeWithPlaces(corridor, {89.9, 90}, {89.9, -90}, spans);
}

TEST(LegCorridor, RandomEdgesAgreeWithThePositionTest) {
  std::mt19937 random(27);
  std::uniform_real_distribution<double> unit(0, 1);
  for (const LegCase& c : kLegs) {
    SCOPED_TRACE(c.name);
    const LegTrack leg(c.from, c.to, c.kind);
    const LegCorridor corridor(leg, 0.1 * kNm, 0.3 * kNm);
    for (int i = 0; i < 60; ++i) {
      // Edges up to 3 km long starting within 1.5 km of the leg, many near its ends.
      const double share = i % 3 == 0 ? unit(random) * 0.02 : i % 3 == 1 ? 1 - unit(random) * 0.02 : unit(random);
      const GeoPoint p = beside(leg, share * leg.metres(), (unit(random) - 0.5) * 3000);
      const GeoPoint q = from(p, unit(random) * 360, unit(random) * 3000);
      std::vector<LegCorridor::Span> spans;
      corridor.appendEdgeSpans(p, q, spans);
      expectSpansAgreeWithPlaces(corridor, p, q, spans);
    }
  }
}

}  // namespace
