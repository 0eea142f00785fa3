// The route check on written cells: each kind of finding, objects just
// inside and just outside the corridor, a leg along the safety contour,
// shallow water entered, left and sailed through, the most detailed cell at
// each place, the end of the coverage, a leg across the 180th meridian,
// dated objects and the order of the findings.
#include <algorithm>
#include <atomic>

#include "Geodesic.h"
#include "RouteCheckFixture.h"

namespace routetest {
namespace {

// A leg eastwards along 47.1 N from 121.95 W to 121.85 W (about 7.6 km),
// in a cell of water 20 m deep from 47.0 to 47.2 N and 122.0 to 121.8 W.
constexpr double kLat = 47.1, kWest = -121.95, kEast = -121.85;
// Metres north of the leg to degrees of latitude there.
double north(double metres) { return kLat + metres / 111180.0; }
double alongTo(double longitude) { return solveGeodesic({kLat, kWest}, {kLat, longitude}).metres; }

WrittenCell waterCell(const std::string& name, int scale = 20000) {
  WrittenCell cell(name, scale);
  cell.addCoverage(box(47.0, -122.0, 47.2, -121.8));
  cell.addArea(kDEPARE, {{kDRVAL1, "20"}, {kDRVAL2, "30"}}, box(47.0, -122.0, 47.2, -121.8));
  return cell;
}

struct EdgeCase {
  const char* what;
  int objl;
  std::vector<s57write::Attribute> attributes;
  FindingKind kind;
  FindingReason reason;
  bool reported;  // at 90 m; none is at 110 m
};

TEST_F(RouteCheckTest, PointsJustInsideTheCorridorAreReportedAndJustOutsideAreNot) {
  const EdgeCase cases[] = {
      {"rock of 5 m", kUWTROC, {{kVALSOU, "5"}, {kWATLEV, "3"}}, FindingKind::Alarm, FindingReason::Danger, true},
      {"obstruction of 15 m", kOBSTRN, {{kVALSOU, "15"}, {kWATLEV, "3"}}, FindingKind::Alarm,
       FindingReason::Danger, false},
      {"lateral buoy", kBOYLAT, {}, FindingKind::Alarm, FindingReason::Obstacle, true},
      {"land point", kLNDARE, {}, FindingKind::Alarm, FindingReason::NotNavigable, true},
      {"caution area point", kCTNARE, {}, FindingKind::Indication, FindingReason::SpecialArea, true},
  };
  WrittenCell cell = waterCell("GB5EDGE1");
  struct Placed {
    int inside, outside;
  };
  std::vector<Placed> placed;
  double longitude = -121.94;
  for (const EdgeCase& c : cases) {
    placed.push_back({cell.addPoint(c.objl, c.attributes, {north(90), longitude}),
                      cell.addPoint(c.objl, c.attributes, {north(110), longitude + 0.005})});
    longitude += 0.015;
  }
  load(cell);
  const Route route = routeThrough({{kLat, kWest}, {kLat, kEast}}, 100);
  const RouteCheckResult result = check(route);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const EdgeCase& c = cases[i];
    const RouteFinding* inside = findingOf(result, 0, placed[i].inside);
    EXPECT_EQ(inside != nullptr, c.reported) << c.what;
    if (inside) {
      EXPECT_EQ(inside->kind, c.kind) << c.what;
      EXPECT_EQ(inside->reason, c.reason) << c.what;
      EXPECT_NEAR(inside->position.latitude, north(90), 1e-5) << c.what;
    }
    EXPECT_EQ(findingOf(result, 0, placed[i].outside), nullptr) << c.what;
  }
  const RouteFinding* rock = findingOf(result, 0, placed[0].inside);
  ASSERT_NE(rock, nullptr);
  EXPECT_EQ(rock->classAcronym, "UWTROC");
  EXPECT_EQ(rock->cell, "GB5EDGE1.000");
  EXPECT_FLOAT_EQ(rock->depth, 5);
  EXPECT_FLOAT_EQ(rock->limit, 10);
  EXPECT_NEAR(rock->alongMetres, alongTo(-121.94), 1);

  // A corridor of 120 m each side takes in the objects at 110 m too.
  RouteCheckSettings wide;
  wide.xtdMetres = 120;
  const RouteCheckResult wider = check(route, wide);
  EXPECT_NE(findingOf(wider, 0, placed[0].outside), nullptr);
  EXPECT_EQ(findingOf(wider, 0, placed[1].outside), nullptr);  // 15 m is deeper than the safety contour
}

TEST_F(RouteCheckTest, ShallowWaterIsReportedWhereTheCorridorCrossesOrRunsAlongItsEdge) {
  WrittenCell cell = waterCell("GB5SHAL1");
  // Across the leg; then two beside it, their southern edges 80 m and 120 m
  // from the leg, along it.
  const int across = cell.addArea(kDEPARE, {{kDRVAL1, "5"}, {kDRVAL2, "10"}}, box(47.09, -121.93, 47.11, -121.92));
  const int along = cell.addArea(kDEPARE, {{kDRVAL1, "5"}, {kDRVAL2, "10"}},
                                 box(north(80), -121.91, 47.12, -121.89));
  const int clear = cell.addArea(kDEPARE, {{kDRVAL1, "5"}, {kDRVAL2, "10"}},
                                 box(north(120), -121.88, 47.12, -121.86));
  load(cell);
  const RouteCheckResult result = check(routeThrough({{kLat, kWest}, {kLat, kEast}}, 100));
  const RouteFinding* crossed = findingOf(result, 0, across);
  ASSERT_NE(crossed, nullptr);
  EXPECT_EQ(crossed->kind, FindingKind::Alarm);
  EXPECT_EQ(crossed->reason, FindingReason::ShallowWater);
  EXPECT_FLOAT_EQ(crossed->depth, 5);
  // The cell has no contour at 10 m; its depth areas change at 5 and 20 m:
  // the display draws the safety contour at 20 m, and so the check takes it.
  EXPECT_FLOAT_EQ(crossed->limit, 20);
  // Met first where the corridor reaches its western edge.
  EXPECT_NEAR(crossed->alongMetres, alongTo(-121.93), 2);
  EXPECT_NE(findingOf(result, 0, along), nullptr);
  EXPECT_EQ(findingOf(result, 0, clear), nullptr);
}

TEST_F(RouteCheckTest, UnsafeWaterIsReportedOnTheLegsThatEnterOrLeaveItAndAtTheRouteStart) {
  WrittenCell cell = waterCell("GB5SHAL2");
  const int shallow = cell.addArea(kDEPARE, {{kDRVAL1, "2"}, {kDRVAL2, "5"}}, box(47.05, -121.99, 47.15, -121.81));
  const int land = cell.addArea(kLNDARE, {}, box(47.08, -121.97, 47.12, -121.96));
  load(cell);
  // From inside the shallow water (east of the land), through it, and out.
  const RouteCheckResult result =
      check(routeThrough({{kLat, -121.95}, {kLat, -121.90}, {kLat, -121.85}, {kLat, -121.78}}));
  const RouteFinding* start = findingOf(result, 0, shallow);
  ASSERT_NE(start, nullptr);
  EXPECT_DOUBLE_EQ(start->alongMetres, 0);
  EXPECT_EQ(findingOf(result, 1, shallow), nullptr);  // wholly inside: reported where the route entered
  const RouteFinding* leaving = findingOf(result, 2, shallow);
  ASSERT_NE(leaving, nullptr);
  EXPECT_NEAR(leaving->position.longitude, -121.81, 0.002);
  EXPECT_EQ(findingOf(result, 0, land), nullptr);  // 1.3 km west of the start

  // The same start inside, the second leg of a route that began in deep
  // water: nothing is reported where no edge is crossed.
  const RouteCheckResult later = check(routeThrough({{47.16, -121.95}, {kLat, -121.95}, {kLat, -121.90}}));
  EXPECT_NE(findingOf(later, 0, shallow), nullptr);
  EXPECT_EQ(findingOf(later, 1, shallow), nullptr);
}

TEST_F(RouteCheckTest, SpecialAreasAreIndicatedAndAreasToBeAvoidedAlarmed) {
  WrittenCell cell = waterCell("GB5SPEC1");
  const int avoid = cell.addArea(kRESARE, {{kRESTRN, "14"}}, box(47.09, -121.92, 47.11, -121.91));
  const int restricted = cell.addArea(kRESARE, {{kRESTRN, "1,2"}}, box(47.09, -121.90, 47.11, -121.89));
  const int caution = cell.addArea(kCTNARE, {}, box(47.0, -122.0, 47.2, -121.8));  // holds the whole route
  load(cell);
  const RouteCheckResult result = check(routeThrough({{kLat, kWest}, {kLat, -121.90}, {kLat, kEast}}));
  ASSERT_NE(findingOf(result, 0, avoid), nullptr);
  EXPECT_EQ(findingOf(result, 0, avoid)->kind, FindingKind::Alarm);
  ASSERT_NE(findingOf(result, 1, restricted), nullptr);
  EXPECT_EQ(findingOf(result, 1, restricted)->kind, FindingKind::Indication);
  for (int leg : {0, 1}) {
    const RouteFinding* inside = findingOf(result, leg, caution);
    ASSERT_NE(inside, nullptr) << leg;
    EXPECT_EQ(inside->kind, FindingKind::Indication);
    EXPECT_DOUBLE_EQ(inside->alongMetres, 0);
  }
}

TEST_F(RouteCheckTest, EachPlaceIsCheckedOnItsMostDetailedCellAndTheEndOfTheCoverageIsIndicated) {
  WrittenCell coastal = waterCell("GB3COAS1", 50000);
  const int underHarbour = coastal.addPoint(kUWTROC, {{kVALSOU, "2"}, {kWATLEV, "3"}}, {kLat, -121.92});
  const int beyondHarbour = coastal.addPoint(kUWTROC, {{kVALSOU, "2"}, {kWATLEV, "3"}}, {kLat, -121.86});
  load(coastal);
  WrittenCell harbour("GB5HARB1", 10000);
  harbour.addCoverage(box(47.05, -121.95, 47.15, -121.90));
  harbour.addArea(kDEPARE, {{kDRVAL1, "20"}, {kDRVAL2, "30"}}, box(47.05, -121.95, 47.15, -121.90));
  load(harbour);

  const RouteCheckResult result = check(routeThrough({{kLat, -121.93}, {kLat, -121.75}}));
  EXPECT_EQ(findingOf(result, 0, underHarbour), nullptr);  // the harbour cell has no rock there
  ASSERT_NE(findingOf(result, 0, beyondHarbour), nullptr);
  EXPECT_EQ(findingOf(result, 0, beyondHarbour)->cell, "GB3COAS1.000");
  const auto along = [](double longitude) { return solveGeodesic({kLat, -121.93}, {kLat, longitude}).metres; };
  bool lessDetailed = false, outside = false;
  for (const RouteFinding& f : result.findings) {
    if (f.reason == FindingReason::LessDetailedData) {
      lessDetailed = true;
      EXPECT_EQ(f.kind, FindingKind::Indication);
      EXPECT_EQ(f.scale, 50000);
      EXPECT_EQ(f.betterScale, 10000);
      EXPECT_EQ(f.cell, "GB3COAS1.000");
      EXPECT_EQ(f.classAcronym, "M_COVR");
      EXPECT_NEAR(f.alongMetres, along(-121.90), 1);
    }
    if (f.reason == FindingReason::OutsideCoverage) {
      outside = true;
      EXPECT_EQ(f.objectClass, 0);
      EXPECT_NEAR(f.alongMetres, along(-121.80), 1);
    }
  }
  EXPECT_TRUE(lessDetailed);
  EXPECT_TRUE(outside);
}

TEST_F(RouteCheckTest, ACellUnloadedToFreeMemoryIsAnAlarmNeverAClearStretch) {
  WrittenCell cell = waterCell("GB5UNLD1", 20000);
  const int rock = cell.addPoint(kUWTROC, {{kVALSOU, "2"}, {kWATLEV, "3"}}, {kLat, -121.90});
  load(cell);
  const Route route = routeThrough({{kLat, kWest}, {kLat, kEast}});
  ASSERT_NE(findingOf(check(route), 0, rock), nullptr);

  ASSERT_TRUE(cells.unload("GB5UNLD1.000"));
  const RouteCheckResult result = check(route);
  EXPECT_EQ(findingOf(result, 0, rock), nullptr);  // its features are gone
  const auto unchecked = std::find_if(result.findings.begin(), result.findings.end(), [](const RouteFinding& f) {
    return f.reason == FindingReason::CellNotLoaded;
  });
  ASSERT_NE(unchecked, result.findings.end());
  EXPECT_EQ(unchecked->kind, FindingKind::Alarm);
  EXPECT_EQ(unchecked->cell, "GB5UNLD1.000");
  EXPECT_EQ(unchecked->leg, 0);
}

TEST_F(RouteCheckTest, ALegAcrossTheAntimeridianFindsWhatLiesOnBothSides) {
  WrittenCell cell("FJ5DATE1", 20000);
  const std::vector<LatLon> ring{{-17.2, 179.8}, {-17.2, -179.8}, {-17.0, -179.8}, {-17.0, 179.8}, {-17.2, 179.8}};
  cell.addCoverage(ring);
  cell.addArea(kDEPARE, {{kDRVAL1, "20"}, {kDRVAL2, "30"}}, ring);
  const int west = cell.addPoint(kUWTROC, {{kVALSOU, "1"}, {kWATLEV, "3"}}, {-17.1, 179.95});
  const int east = cell.addPoint(kBOYLAT, {}, {-17.1, -179.95});
  load(cell);
  for (LegKind kind : {LegKind::Rhumb, LegKind::GreatCircle}) {
    Route route = routeThrough({{-17.1, 179.9}, {-17.1, -179.9}});
    LegSettings legs = route.legSettings()[0];
    legs.kind = kind;
    ASSERT_TRUE(route.setLegSettings(0, legs));
    const RouteCheckResult result = check(route);
    ASSERT_EQ(result.findings.size(), 2u) << (result.findings.empty() ? "" : result.findings[0].classAcronym);
    EXPECT_EQ(result.findings[0].featureNumber, west);
    EXPECT_EQ(result.findings[1].featureNumber, east);
    EXPECT_NEAR(result.findings[1].alongMetres - result.findings[0].alongMetres, 0.1 * 106390, 200);
  }
}

TEST_F(RouteCheckTest, AnObjectIsReportedOncePerLegAtItsFirstPlaceAndOnlyOnItsDates) {
  WrittenCell cell = waterCell("GB5ONCE1");
  // An obstruction line that crosses the leg twice.
  const int zigzag = cell.addLine(kOBSTRN, {{kVALSOU, "3"}, {kWATLEV, "3"}},
                                  {{47.09, -121.94}, {47.11, -121.93}, {47.09, -121.92}});
  const int gone = cell.addPoint(kUWTROC, {{kVALSOU, "1"}, {kWATLEV, "3"}, {kDATEND, "20200101"}}, {kLat, -121.90});
  const int shoal = cell.addSoundings({{{kLat, -121.88}, 4.0}, {{kLat, -121.87}, 3.0}, {{47.15, -121.88}, 1.0}});
  const int overscaled = cell.addArea(kM_CSCL, {{kCSCALE, "100000"}}, box(47.09, -121.865, 47.11, -121.86));
  load(cell);
  const Route route = routeThrough({{kLat, kWest}, {kLat, kEast}});
  RouteCheckSettings dated;
  dated.date = 20240601;
  const RouteCheckResult result = check(route, dated);
  int lines = 0;
  for (const RouteFinding& f : result.findings) lines += f.featureNumber == zigzag;
  EXPECT_EQ(lines, 1);
  ASSERT_NE(findingOf(result, 0, zigzag), nullptr);
  EXPECT_LT(findingOf(result, 0, zigzag)->position.longitude, -121.935);
  EXPECT_EQ(findingOf(result, 0, gone), nullptr);
  EXPECT_NE(findingOf(check(route), 0, gone), nullptr);  // without a date, every object

  const RouteFinding* sounding = findingOf(result, 0, shoal);
  ASSERT_NE(sounding, nullptr);
  EXPECT_EQ(sounding->reason, FindingReason::ShoalSounding);
  EXPECT_FLOAT_EQ(sounding->depth, 4);  // the first along the leg
  const RouteFinding* scale = findingOf(result, 0, overscaled);
  ASSERT_NE(scale, nullptr);
  EXPECT_EQ(scale->reason, FindingReason::Overscaled);
  EXPECT_EQ(scale->scale, 100000);
  EXPECT_EQ(scale->betterScale, 20000);

  for (std::size_t i = 1; i < result.findings.size(); ++i)
    EXPECT_LE(result.findings[i - 1].alongMetres, result.findings[i].alongMetres);
  EXPECT_EQ(result.legs, 1);
  EXPECT_NEAR(result.lengthMetres, alongTo(kEast), 0.01);  // a rhumb line along a parallel
}

TEST_F(RouteCheckTest, ACancelledCheckStopsBeforeTheNextLeg) {
  WrittenCell cell = waterCell("GB5CANC1");
  cell.addPoint(kBOYLAT, {}, {kLat, -121.90});
  load(cell);
  std::atomic<bool> cancel{true};
  RouteCheckSettings settings;
  settings.cancel = &cancel;
  const RouteCheckResult result = check(routeThrough({{kLat, kWest}, {kLat, kEast}}), settings);
  EXPECT_TRUE(result.cancelled);
  EXPECT_TRUE(result.findings.empty());
}

}  // namespace
}  // namespace routetest
