// Depths taken from the depth areas, wreck depths and the underwater hazard test.
#include <cmath>

#include "HazardDepth.h"
#include "ProcedureFixtures.h"

using namespace fixtures;

namespace {
constexpr int kDepthArea = 42, kDredgedArea = 46, kLandArea = 71, kWreck = 159, kObstruction = 86;
const ChartPoint kInside{50, 50};
const ChartPoint kOutside{500, 500};
}  // namespace

class HazardDepthTest : public ProcedureTest {};

TEST_F(HazardDepthTest, WreckDepth) {
  struct Case {
    const char* name;
    const char* drval1;  // of the depth area around the wreck, nullptr: none
    Attributes wreck;
    float expected;
  } cases[] = {
      {"VALSOU wins", "100", {{"VALSOU", "12.3"}, {"WATLEV", "3"}, {"EXPSOU", "1"}}, 12.3f},
      {"seabed 100 minus 66", "100", {{"CATWRK", "1"}, {"WATLEV", "3"}, {"EXPSOU", "2"}}, 34.0f},
      {"never above 20.1", "50", {{"CATWRK", "1"}, {"WATLEV", "3"}, {"EXPSOU", "2"}}, 20.1f},
      {"seabed 87", "87", {{"CATWRK", "1"}}, 21.0f},
      {"seabed 86: 20 is too shallow", "86", {{"CATWRK", "1"}}, 20.1f},
      {"no depth area", nullptr, {{"CATWRK", "1"}}, 20.1f},
      {"exposed: the least depth", "100", {{"CATWRK", "1"}, {"WATLEV", "3"}, {"EXPSOU", "3"}}, 100.0f},
      {"dangerous wreck", "100", {{"CATWRK", "2"}}, -15.0f},
      {"covers and uncovers", "100", {{"WATLEV", "5"}}, 0.0f},
      {"always under water", nullptr, {{"WATLEV", "3"}}, 0.0f},
      {"dries", nullptr, {{"WATLEV", "2"}}, -15.0f},
      {"nothing known", nullptr, {}, -15.0f},
  };
  for (const Case& c : cases) {
    S57Cell cell;
    if (c.drval1) addArea(cell, kDepthArea, 0, 0, 100, 100, {{"DRVAL1", c.drval1}});
    PointFeature& wreck = addPoint(cell, kWreck, kInside.x, kInside.y, c.wreck);
    EXPECT_FLOAT_EQ(wreckDepth(wreck, kInside, cell), c.expected) << c.name;
    EXPECT_FLOAT_EQ(wreck.wreckDepth.get(), c.expected) << c.name;
  }
}

TEST_F(HazardDepthTest, AreaWreckWithoutSeabedRuleTakes20Point1) {
  S57Cell cell;
  addArea(cell, kDepthArea, 0, 0, 100, 100, {{"DRVAL1", "100"}});
  AreaFeature& wreck = addArea(cell, kWreck, 10, 10, 20, 20, {{"CATWRK", "1"}});
  EXPECT_FLOAT_EQ(wreckDepthOverPoints(wreck, wreck.exteriorVertices, cell), 20.1f);
}

TEST_F(HazardDepthTest, GatheringKeepsDeepestOrShallowestAndCaches) {
  S57Cell cell;
  addArea(cell, kDepthArea, 0, 0, 100, 100, {{"DRVAL1", "20"}});
  addArea(cell, kDredgedArea, 0, 0, 100, 100, {{"DRVAL1", "8"}});
  addArea(cell, kDepthArea, 0, 0, 100, 100);                       // no DRVAL1: skipped
  addArea(cell, kLandArea, 0, 0, 100, 100, {{"DRVAL1", "1"}});     // not a depth area
  addArea(cell, kDepthArea, 200, 200, 300, 300, {{"DRVAL1", "2"}});  // elsewhere

  PointFeature deep;
  const UnderlyingDepth d = deepestUnderlyingDepth(deep, "3", "2", cell, kInside);
  EXPECT_FLOAT_EQ(d.seabed, 20);
  EXPECT_FLOAT_EQ(d.least, kUnknownDepth);  // EXPSOU 2: no least depth
  EXPECT_FLOAT_EQ(deep.underlyingDepth.get(), 20);

  PointFeature shallow;
  EXPECT_FLOAT_EQ(shallowestUnderlyingDepth(shallow, "3", "1", cell, kInside), 8);
  EXPECT_FLOAT_EQ(shallowestUnderlyingDepth(shallow, "4", "1", cell, kInside), kUnknownDepth);

  // The cached value is used without looking at the areas again.
  cell.areas.clear();
  EXPECT_FLOAT_EQ(shallowestUnderlyingDepth(shallow, "3", "3", cell, kInside), 8);

  PointFeature nowhere;
  EXPECT_FLOAT_EQ(deepestUnderlyingDepth(nowhere, "3", "1", cell, kOutside).seabed, kUnknownDepth);
  EXPECT_TRUE(nowhere.underlyingDepth.known());  // no depth area is an answer too
}

TEST_F(HazardDepthTest, OverPointsIgnoresTheFeatureItself) {
  S57Cell cell;
  addArea(cell, kDepthArea, 0, 0, 100, 100, {{"DRVAL1", "30"}});
  AreaFeature& self = addArea(cell, kDepthArea, 40, 40, 60, 60, {{"DRVAL1", "1"}});
  std::vector<ChartVertex> points = {{{45, 45}, 0}, {{500, 500}, 0}};
  EXPECT_FLOAT_EQ(shallowestUnderlyingDepthOverPoints(self, "3", "1", cell, points), 30);
}

TEST_F(HazardDepthTest, UnderwaterHazardMarksAnIsolatedDanger) {
  S57Cell cell;
  addArea(cell, kDepthArea, 0, 0, 100, 100, {{"DRVAL1", "20"}});
  PointFeature& rock = addPoint(cell, kObstruction, kInside.x, kInside.y,
                                {{"OBJNAM", "x"}, {"SCAMIN", "50000"}, {"SCAMIN", "7"}, {"WATLEV", "3"}});
  rock.scaleMinimum = 50000;
  rock.display.secondCategory = 2;
  std::string symbol;
  ProcedureResult out = ProcedureResult::startingFrom(rock);
  EXPECT_TRUE(underwaterHazard(rock, 4, kInside, symbol, cell, settings(), out));
  EXPECT_EQ(symbol, "ISODGR01");
  EXPECT_EQ(out.display.priority, 8);
  EXPECT_EQ(out.display.viewingGroup, 14050);
  EXPECT_EQ(out.display.radarFlag, 'O');
  EXPECT_EQ(out.display.secondCategory, 0);
  EXPECT_TRUE(out.display.scaleMinimumLifted);  // the draw pass shows it at every scale
  // The feature itself stays as the cell has it.
  EXPECT_EQ(rock.display.secondCategory, 2);
  EXPECT_EQ(rock.scaleMinimum, 50000);
  EXPECT_EQ(rock.attributes[1].value, "50000");
  EXPECT_FALSE(rock.underlyingDepth.known());  // the point form does not cache
}

TEST_F(HazardDepthTest, UnderwaterHazardCases) {
  struct Case {
    const char* name;
    float depth;
    ChartPoint position;
    const char* watlev;
    float cached;  // underlyingDepth before the test
    bool result;
    bool marked;  // priority 8 and viewing group 14050
  } cases[] = {
      {"dangerous", 4, kInside, "3", kUnknownDepth, true, true},
      {"dries: marked, not reported", 4, kInside, "2", kUnknownDepth, false, true},
      {"always dry", 4, kInside, "1", kUnknownDepth, false, true},
      {"deeper than the safety contour", 12, kInside, "3", kUnknownDepth, false, false},
      {"at the safety contour", 10, kInside, "3", kUnknownDepth, true, true},
      {"outside every depth area", 4, kOutside, "3", kUnknownDepth, false, false},
      {"cached shallow water", 4, kInside, "3", 5, false, false},
      {"cached deep water", 4, kOutside, "", 10, true, true},
      {"not a number", std::nanf(""), kInside, "3", kUnknownDepth, false, false},
  };
  for (const Case& c : cases) {
    S57Cell cell;
    addArea(cell, kDepthArea, 0, 0, 100, 100, {{"DRVAL1", "5"}});
    addArea(cell, kDepthArea, 0, 0, 100, 100, {{"DRVAL1", "20"}});
    PointFeature& f = addPoint(cell, kObstruction, c.position.x, c.position.y, {{"WATLEV", c.watlev}});
    if (c.cached != kUnknownDepth) f.underlyingDepth.set(c.cached);
    std::string symbol = "before";
    ProcedureResult out = ProcedureResult::startingFrom(f);
    EXPECT_EQ(underwaterHazard(f, c.depth, c.position, symbol, cell, settings(), out), c.result) << c.name;
    EXPECT_EQ(symbol, c.result ? "ISODGR01" : "before") << c.name;
    EXPECT_EQ(out.display.priority, c.marked ? 8 : -1) << c.name;
    EXPECT_EQ(out.display.viewingGroup, c.marked ? 14050 : -1) << c.name;
    EXPECT_EQ(out.display.radarFlag == 'O', c.result) << c.name;
  }
}

TEST_F(HazardDepthTest, UnderwaterHazardOverPointsUsesTheShallowestArea) {
  S57Cell cell;
  addArea(cell, kDepthArea, 0, 0, 100, 100, {{"DRVAL1", "20"}});
  addArea(cell, kDepthArea, 200, 0, 300, 100, {{"DRVAL1", "8"}});
  LineFeature line;
  line.vertices = {{{50, 50}, 0}, {{250, 50}, 0}};
  std::string symbol;
  ProcedureResult out;
  EXPECT_FALSE(underwaterHazardOverPoints(line, 4, line.vertices, symbol, cell, settings(), out));  // 8 < 10
  EXPECT_FLOAT_EQ(line.underlyingDepthOverPoints.get(), 8);

  LineFeature inDeepWater;
  inDeepWater.vertices = {{{50, 50}, 0}, {{60, 50}, 0}};
  EXPECT_TRUE(underwaterHazardOverPoints(inDeepWater, 4, inDeepWater.vertices, symbol, cell, settings(), out));
  EXPECT_EQ(symbol, "ISODGR01");

  LineFeature nowhere;
  nowhere.vertices = {{{500, 500}, 0}};
  symbol.clear();
  EXPECT_FALSE(underwaterHazardOverPoints(nowhere, 4, nowhere.vertices, symbol, cell, settings(), out));
  EXPECT_EQ(symbol, "");
}

TEST_F(HazardDepthTest, ObstructionDepthWithoutSounding) {
  struct Case {
    Attributes attributes;
    float expected;
  } cases[] = {
      {{{"CATOBS", "6"}, {"WATLEV", "1"}}, 0.01f},
      {{{"WATLEV", "3"}}, 0.01f},
      {{{"WATLEV", "5"}}, 0.0f},
      {{{"WATLEV", "4"}}, -15.0f},
      {{}, -15.0f},
  };
  for (const Case& c : cases) {
    PointFeature f;
    f.attributes = c.attributes;
    EXPECT_FLOAT_EQ(obstructionDepthWithoutSounding(f), c.expected);
  }
}
