// The route model: legs follow the waypoints through every edit, each edit
// keeps the settings the window's user gave, and an edit with values out of
// range or an index off the route changes nothing.
#include <gtest/gtest.h>

#include <cmath>

#include "Route.h"
#include "RoutePrinting.h"

namespace {

Waypoint wp(double lat, double lon, const char* name) { return Waypoint{{lat, lon}, name, std::nullopt}; }

Route threeLegs() {
  Route r("Harbour approach");
  r.appendWaypoint(wp(47.60, -122.40, "A"));
  r.appendWaypoint(wp(47.70, -122.50, "B"), LegSettings{LegKind::GreatCircle, 0.2, 0.3});
  r.appendWaypoint(wp(47.80, -122.50, "C"), LegSettings{LegKind::Rhumb, 0.5, 0.5});
  r.appendWaypoint(wp(47.90, -122.60, "D"));  // takes the settings of the leg before
  return r;
}

std::string names(const Route& r) {
  std::string s;
  for (const Waypoint& w : r.waypoints()) s += w.name;
  return s;
}

TEST(RouteModel, LegsFollowTheWaypoints) {
  Route r("empty");
  EXPECT_EQ(r.legCount(), 0);
  EXPECT_TRUE(r.appendWaypoint(wp(40.6, -73.8, "JFK")));
  EXPECT_EQ(r.legCount(), 0);
  EXPECT_EQ(r.lengthMetres(), 0);
  EXPECT_TRUE(r.appendWaypoint(wp(51.6, -0.5, "LHR")));
  ASSERT_EQ(r.legCount(), 1);
  // The first leg has the defaults: a rhumb line, 0.1 NM each side.
  EXPECT_EQ(r.legSettings()[0], (LegSettings{LegKind::Rhumb, 0.1, 0.1}));
  const RouteLeg leg = r.leg(0);
  EXPECT_EQ(leg.from.name, "JFK");
  EXPECT_EQ(leg.to.name, "LHR");
  EXPECT_NEAR(leg.metres, 5771083.383, 1.0);
  EXPECT_NEAR(leg.initialCourse, 77.76838971, 0.01);
  EXPECT_EQ(leg.finalCourse, leg.initialCourse);
  EXPECT_TRUE(r.setLegSettings(0, LegSettings{LegKind::GreatCircle, 0.1, 0.1}));
  EXPECT_NEAR(r.leg(0).metres, 5551759.400, 1.0);
  EXPECT_NEAR(r.leg(0).finalCourse, 107.821776735, 0.01);

  const Route t = threeLegs();
  ASSERT_EQ(t.legCount(), 3);
  EXPECT_EQ(t.legSettings()[2], t.legSettings()[1]);
  EXPECT_NEAR(t.lengthMetres(), t.leg(0).metres + t.leg(1).metres + t.leg(2).metres, 1e-9);
}

TEST(RouteModel, EditsKeepEachLegsSettings) {
  // Insert on the great circle leg A-B: both halves stay great circles with
  // its corridor, and a point on the leg leaves the length as it was.
  Route r = threeLegs();
  const double length = r.lengthMetres();
  const LegTrack ab = r.legTrack(0);
  const GeoPoint middle = ab.at(ab.metres() / 2).position;
  ASSERT_TRUE(r.insertOnLeg(0, Waypoint{middle, "M", std::nullopt}));
  EXPECT_EQ(names(r), "AMBCD");
  EXPECT_EQ(r.legSettings()[0], (LegSettings{LegKind::GreatCircle, 0.2, 0.3}));
  EXPECT_EQ(r.legSettings()[1], (LegSettings{LegKind::GreatCircle, 0.2, 0.3}));
  EXPECT_NEAR(r.lengthMetres(), length, 1e-3);

  // Move: the legs on both sides are measured anew.
  ASSERT_TRUE(r.moveWaypoint(1, {47.6, -122.6}));
  EXPECT_GT(r.lengthMetres(), length + 1000);
  EXPECT_EQ(r.waypoints()[1].position.longitude, -122.6);

  // Deleting a waypoint between two joins its legs with the settings of the
  // leg that led to it; the first and last take their one leg along.
  struct Case {
    int index;
    bool insertedFirst;  // a waypoint inserted on A-B and deleted again gives the route back
    const char* left;
    std::vector<LegSettings> legs;
  } cases[] = {
      {1, false, "ACD", {{LegKind::GreatCircle, 0.2, 0.3}, {LegKind::Rhumb, 0.5, 0.5}}},
      {1, true, "ABCD", {{LegKind::GreatCircle, 0.2, 0.3}, {LegKind::Rhumb, 0.5, 0.5}, {LegKind::Rhumb, 0.5, 0.5}}},
      {0, false, "BCD", {{LegKind::Rhumb, 0.5, 0.5}, {LegKind::Rhumb, 0.5, 0.5}}},
      {3, false, "ABC", {{LegKind::GreatCircle, 0.2, 0.3}, {LegKind::Rhumb, 0.5, 0.5}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left);
    Route t = threeLegs();
    if (c.insertedFirst) t.insertOnLeg(0, wp(47.65, -122.45, "M"));
    ASSERT_TRUE(t.deleteWaypoint(c.index));
    EXPECT_EQ(names(t), c.left);
    EXPECT_EQ(t.legSettings(), c.legs);
  }

  Route two("two");
  two.appendWaypoint(wp(1, 1, "A"));
  two.appendWaypoint(wp(2, 2, "B"));
  ASSERT_TRUE(two.deleteWaypoint(1));
  EXPECT_EQ(two.legCount(), 0);
  ASSERT_TRUE(two.deleteWaypoint(0));
  EXPECT_TRUE(two.waypoints().empty());
}

TEST(RouteModel, RefusedEditsChangeNothing) {
  const Route before = threeLegs();
  struct Case {
    const char* name;
    bool (*edit)(Route&);
  } cases[] = {
      {"append north of the pole", [](Route& r) { return r.appendWaypoint(wp(90.5, 0, "X")); }},
      {"append east of 180", [](Route& r) { return r.appendWaypoint(wp(0, 180.01, "X")); }},
      {"append at no latitude", [](Route& r) { return r.appendWaypoint(wp(std::nan(""), 0, "X")); }},
      {"append with a negative turn radius",
       [](Route& r) { return r.appendWaypoint(Waypoint{{47, -122}, "R", -1.0}); }},
      {"append with a negative XTD",
       [](Route& r) { return r.appendWaypoint(wp(48, -123, "X"), LegSettings{LegKind::Rhumb, -0.1, 0.1}); }},
      {"append with an XTD that is no number",
       [](Route& r) { return r.appendWaypoint(wp(48, -123, "X"), LegSettings{LegKind::Rhumb, 0.1, std::nan("")}); }},
      {"move before the first", [](Route& r) { return r.moveWaypoint(-1, {47, -122}); }},
      {"move past the last", [](Route& r) { return r.moveWaypoint(4, {47, -122}); }},
      {"move off the globe", [](Route& r) { return r.moveWaypoint(0, {-91, 0}); }},
      {"delete past the last", [](Route& r) { return r.deleteWaypoint(4); }},
      {"insert on a leg that is not there", [](Route& r) { return r.insertOnLeg(3, wp(47, -122, "X")); }},
      {"insert off the globe", [](Route& r) { return r.insertOnLeg(0, wp(47, 200, "X")); }},
      {"leg settings of no leg", [](Route& r) { return r.setLegSettings(-1, LegSettings{}); }},
      {"infinite XTD", [](Route& r) { return r.setLegSettings(0, LegSettings{LegKind::Rhumb, 0.1, INFINITY}); }},
      {"XTD wider than any corridor",
       [](Route& r) { return r.setLegSettings(0, LegSettings{LegKind::Rhumb, kMaxXtdNm + 1, 0.1}); }},
      {"rename no waypoint", [](Route& r) { return r.renameWaypoint(9, "X"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Route r = before;
    EXPECT_FALSE(c.edit(r));
    EXPECT_EQ(r, before);
  }
}

}  // namespace
