// Obstructions, rocks, wrecks, obstruction areas and the quality mark.
#include "HazardProcedures.h"
#include "ProcedureFixtures.h"

using namespace fixtures;

namespace {
constexpr int kDepthArea = 42, kObstruction = 86, kRock = 153, kWreck = 159;
using Names = std::vector<std::string>;

// A cell with, when `drval1` is given, one depth area around (50, 50).
S57Cell cellWithDepth(const char* drval1) {
  S57Cell cell;
  if (drval1) addArea(cell, kDepthArea, 0, 0, 100, 100, {{"DRVAL1", drval1}});
  return cell;
}
}  // namespace

class HazardProceduresTest : public ProcedureTest {};

TEST_F(HazardProceduresTest, ObstructionAndRockSymbols) {
  struct Case {
    int objectClass;
    const char* drval1;
    Attributes attributes;
    Names expected;
  } cases[] = {
      {kRock, nullptr, {{"WATLEV", "3"}}, {"UWTROC03"}},
      {kRock, nullptr, {{"WATLEV", "4"}}, {"UWTROC04"}},
      {kRock, nullptr, {}, {"UWTROC04"}},
      {kObstruction, nullptr, {{"CATOBS", "6"}, {"WATLEV", "1"}}, {"OBSTRN01"}},
      {kObstruction, nullptr, {{"WATLEV", "1"}}, {"OBSTRN11"}},
      {kObstruction, nullptr, {{"WATLEV", "2"}}, {"OBSTRN11"}},
      {kObstruction, nullptr, {{"WATLEV", "4"}}, {"OBSTRN03"}},
      {kObstruction, nullptr, {{"WATLEV", "5"}}, {"OBSTRN03"}},
      {kObstruction, nullptr, {}, {"OBSTRN01"}},
      // With VALSOU: 3000 is not above the hazard depth.
      {kObstruction, nullptr, {{"VALSOU", "3000"}, {"WATLEV", "3"}},
       {"DANGER01", "SOUNDG23", "SOUNDG10", "SOUNDG00", "SOUNDG40"}},
      {kRock, nullptr, {{"VALSOU", "3000.5"}, {"WATLEV", "5"}},
       {"DANGER02", "SOUNDG23", "SOUNDG10", "SOUNDG00", "SOUNDG40"}},
      {kRock, nullptr, {{"VALSOU", "12.5"}, {"WATLEV", "5"}}, {"UWTROC04"}},
      {kRock, nullptr, {{"VALSOU", "12.5"}, {"WATLEV", "3"}}, {"DANGER01", "SOUNDG21", "SOUNDG12", "SOUNDG55"}},
      {kObstruction, nullptr, {{"VALSOU", "12.5"}, {"CATOBS", "6"}, {"WATLEV", "1"}},
       {"DANGER01", "SOUNDG21", "SOUNDG12", "SOUNDG55"}},
      {kObstruction, nullptr, {{"VALSOU", "12.5"}, {"WATLEV", "2"}}, {"OBSTRN11"}},
      {kObstruction, nullptr, {{"VALSOU", "12.5"}, {"WATLEV", "4"}}, {"DANGER03", "SOUNDG21", "SOUNDG12", "SOUNDG55"}},
      {kObstruction, nullptr, {{"VALSOU", "12"}}, {"DANGER01", "SOUNDG11", "SOUNDG02"}},
      // Depth areas: an isolated danger, and a hazard in water too shallow to matter.
      {kObstruction, "20", {{"VALSOU", "4"}, {"WATLEV", "3"}}, {"ISODGR01"}},
      {kRock, "20", {{"VALSOU", "4"}}, {"ISODGR01"}},
      {kObstruction, "20", {{"VALSOU", "4"}, {"WATLEV", "2"}}, {"OBSTRN11"}},  // dries: no danger symbol
      {kObstruction, "8", {{"VALSOU", "4"}, {"WATLEV", "3"}}, {"DANGER01", "SOUNDS14", "SOUNDS50"}},
      {kObstruction, "8", {{"WATLEV", "3"}, {"EXPSOU", "1"}}, {"OBSTRN01"}},  // least depth 8, area too shallow
      {kObstruction, "20", {{"WATLEV", "3"}, {"EXPSOU", "1"}}, {"OBSTRN01"}},  // least depth 20: deeper than 10
      {kObstruction, "20", {{"WATLEV", "3"}}, {"ISODGR01"}},  // depth 0.01 in 20 m of water
  };
  for (const Case& c : cases) {
    S57Cell cell = cellWithDepth(c.drval1);
    PointFeature& p = addPoint(cell, c.objectClass, 50, 50, c.attributes);
    ProcedureResult pOut = ProcedureResult::startingFrom(p);
  pointObstructionProcedure(p, cell, settings(), pOut);
    EXPECT_EQ(symbolNames(pOut.instructions), c.expected)
        << c.objectClass << " " << (c.drval1 ? c.drval1 : "-") << " " << testing::PrintToString(c.expected);
  }
}

TEST_F(HazardProceduresTest, LowAccuracyMarkFollowsTheSymbols) {
  S57Cell cell = cellWithDepth("20");
  PointFeature& danger = addPoint(cell, kObstruction, 50, 50, {{"VALSOU", "4"}, {"QUAPOS", "4"}});
  ProcedureResult dangerOut = ProcedureResult::startingFrom(danger);
  pointObstructionProcedure(danger, cell, settings(), dangerOut);
  EXPECT_EQ(symbolNames(dangerOut.instructions), (Names{"ISODGR01", "LOWACC01"}));

  PointFeature& plain = addPoint(cell, kObstruction, 500, 500, {{"VALSOU", "12"}, {"QUAPOS", "9"}});
  ProcedureResult plainOut = ProcedureResult::startingFrom(plain);
  pointObstructionProcedure(plain, cell, settings(), plainOut);
  EXPECT_EQ(symbolNames(plainOut.instructions), (Names{"DANGER01", "SOUNDGC2", "SOUNDG11", "SOUNDG02", "LOWACC01"}));

  PointFeature& wreck = addPoint(cell, kWreck, 500, 500, {{"WATLEV", "1"}, {"QUAPOS", "2"}});
  ProcedureResult wreckOut = ProcedureResult::startingFrom(wreck);
  wreckProcedure(wreck, cell, settings(), wreckOut);
  EXPECT_EQ(symbolNames(wreckOut.instructions), (Names{"WRECKS01", "LOWACC01"}));
}

// A position of low accuracy is any QUAPOS given other than 1, 10 and 11.
TEST_F(HazardProceduresTest, LowAccuracyTest) {
  struct Case {
    const char* quapos;
    const char* expected;
  } cases[] = {
      {"2", "LOWACC01"}, {"9", "LOWACC01"}, {"4", "LOWACC01"}, {"12", "LOWACC01"},
      {"1", ""},         {"10", ""},         {"11", ""},        {"", ""},
  };
  for (const Case& c : cases) {
    PointFeature p;
    p.attributes = {{"QUAPOS", c.quapos}};
    EXPECT_EQ(lowAccuracyTest(p), c.expected) << c.quapos;

    AreaFeature a;
    a.exteriorParts.resize(2);
    a.exteriorParts[0].edgeAttributes = {{"402", "1"}};
    a.exteriorParts[1].edgeAttributes = {{"401", "4"}, {"402", c.quapos}};
    EXPECT_EQ(lowAccuracyTest(a), c.expected) << c.quapos;

    ProcedureResult pOut;
    pointQualityProcedure(p, pOut);
    EXPECT_EQ(symbolNames(pOut.instructions), *c.expected ? Names{"LOWACC01"} : Names{});
  }
  AreaFeature own;  // the area's own QUAPOS counts too
  own.attributes = {{"QUAPOS", "5"}};
  EXPECT_EQ(lowAccuracyTest(own), "LOWACC01");
}

TEST_F(HazardProceduresTest, WreckSymbolsAndLookupChanges) {
  struct Case {
    const char* drval1;
    Attributes attributes;
    int viewingGroupBefore;
    Names expected;
    int viewingGroupAfter;
    bool baseDisplay;  // priority 8, categories 0 and radar flag 'O' after the procedure
  } cases[] = {
      {nullptr, {{"VALSOU", "3000"}}, 27000, {"DANGER02", "SOUNDG23", "SOUNDG10", "SOUNDG00", "SOUNDG40"}, 34051, false},
      {nullptr, {{"VALSOU", "25"}}, 27000, {"DANGER01", "SOUNDG12", "SOUNDG05"}, 34051, false},
      {nullptr, {{"CATWRK", "1"}, {"WATLEV", "3"}}, 27000, {"WRECKS04"}, 24020, true},
      {nullptr, {{"CATWRK", "2"}, {"WATLEV", "3"}}, 27000, {"WRECKS05"}, 24020, true},
      {nullptr, {{"CATWRK", "4"}}, 27000, {"WRECKS01"}, 24020, true},
      {nullptr, {{"CATWRK", "1"}, {"WATLEV", "5"}}, 27000, {"WRECKS05"}, 24020, true},
      {nullptr, {{"WATLEV", "2"}}, 27000, {"WRECKS01"}, 24020, true},
      {nullptr, {}, 27000, {"WRECKS05"}, 24020, true},
      {nullptr, {{"CATWRK", "4"}}, 24020, {"WRECKS01"}, 24020, false},  // look-up data kept
      {nullptr, {{"CATWRK", "4"}}, 24050, {"WRECKS01"}, 24050, false},
      {"20", {{"VALSOU", "4"}}, 27000, {"ISODGR01"}, 14050, false},
      // Seabed 100: wreck depth 34, deeper than the safety contour.
      {"100", {{"CATWRK", "1"}, {"WATLEV", "3"}, {"EXPSOU", "2"}}, 27000, {"WRECKS04"}, 24020, true},
  };
  for (const Case& c : cases) {
    S57Cell cell = cellWithDepth(c.drval1);
    PointFeature& w = addPoint(cell, kWreck, 50, 50, c.attributes);
    w.display.viewingGroup = c.viewingGroupBefore;
    w.display.priority = 4;
    w.display.firstCategory = w.display.secondCategory = 2;
    ProcedureResult wOut = ProcedureResult::startingFrom(w);
    wreckProcedure(w, cell, settings(), wOut);
    const std::string label = testing::PrintToString(c.expected);
    EXPECT_EQ(symbolNames(wOut.instructions), c.expected) << label;
    EXPECT_EQ(wOut.display.viewingGroup, c.viewingGroupAfter) << label;
    if (c.baseDisplay) {
      EXPECT_EQ(wOut.display.priority, 8) << label;
      EXPECT_EQ(wOut.display.firstCategory, 0) << label;
      EXPECT_EQ(wOut.display.secondCategory, 0) << label;
      EXPECT_EQ(wOut.display.radarFlag, 'O') << label;
    } else if (c.viewingGroupAfter != 14050) {
      EXPECT_EQ(wOut.display.priority, 4) << label;
      EXPECT_EQ(wOut.display.firstCategory, 2) << label;
    }
  }
}

TEST_F(HazardProceduresTest, WreckDepthIsComputedOnce) {
  S57Cell cell = cellWithDepth("20");
  PointFeature& w = addPoint(cell, kWreck, 50, 50, {{"VALSOU", "4"}});
  w.wreckDepth.set(50);  // known already: VALSOU is not read again for the danger test
  ProcedureResult wOut = ProcedureResult::startingFrom(w);
    wreckProcedure(w, cell, settings(), wOut);
  EXPECT_EQ(symbolNames(wOut.instructions), (Names{"DANGER01", "SOUNDS14", "SOUNDS50"}));
}

TEST_F(HazardProceduresTest, AreaObstruction) {
  struct Case {
    const char* drval1;
    Attributes attributes;
    Names expected;
  } cases[] = {
      {nullptr, {{"VALSOU", "5"}}, {"LS SOLD,2,CHBLK", "SOUNDS15", "SOUNDS50"}},
      {nullptr, {{"VALSOU", "3000"}}, {"LS SOLD,2,CHBLK", "SOUNDG23", "SOUNDG10", "SOUNDG00", "SOUNDG40"}},
      {nullptr, {{"VALSOU", "3500"}}, {"LS SOLD,2,CHGRD", "SOUNDG23", "SOUNDG15", "SOUNDG00", "SOUNDG40"}},
      {nullptr, {{"CATOBS", "6"}, {"WATLEV", "1"}}, {"AP FOULAR01", "LS DASH,2,CHBLK"}},
      {nullptr, {{"WATLEV", "1"}}, {"AC CHBRN", "LS SOLD,2,CSTLN"}},
      {nullptr, {{"WATLEV", "2"}}, {"AC CHBRN", "LS SOLD,2,CSTLN"}},
      {nullptr, {{"WATLEV", "4"}}, {"AC DEPIT", "LS SOLD,2,CSTLN"}},
      {nullptr, {{"WATLEV", "3"}}, {"AC DEPVS", "LS SOLD,2,CHBLK"}},
      {nullptr, {}, {"AC DEPVS", "LS SOLD,2,CHBLK"}},
      {"20", {{"VALSOU", "4"}}, {"AC DEPVS", "AP FOULAR01", "LS DASH,2,CHBLK", "ISODGR01"}},
      {"20", {{"WATLEV", "3"}}, {"AC DEPVS", "AP FOULAR01", "LS DASH,2,CHBLK", "ISODGR01"}},
      {"8", {{"VALSOU", "4"}}, {"LS SOLD,2,CHBLK", "SOUNDS14", "SOUNDS50"}},
  };
  for (const Case& c : cases) {
    S57Cell cell = cellWithDepth(c.drval1);
    AreaFeature& a = addArea(cell, kObstruction, 40, 40, 60, 60, c.attributes);
    ProcedureResult aOut = ProcedureResult::startingFrom(a);
    areaObstructionProcedure(a, cell, settings(), aOut);
    EXPECT_EQ(symbolNames(aOut.instructions), c.expected) << testing::PrintToString(c.expected);
  }
}

TEST_F(HazardProceduresTest, AreaObstructionDangerWithLowAccuracyEdge) {
  S57Cell cell = cellWithDepth("20");
  AreaFeature& a = addArea(cell, kObstruction, 40, 40, 60, 60, {{"VALSOU", "4"}});
  a.exteriorParts.resize(1);
  a.exteriorParts[0].edgeAttributes = {{"402", "4"}};
  ProcedureResult aOut = ProcedureResult::startingFrom(a);
  areaObstructionProcedure(a, cell, settings(), aOut);
  EXPECT_EQ(symbolNames(aOut.instructions),
            (Names{"AC DEPVS", "AP FOULAR01", "LS DASH,2,CHBLK", "ISODGR01", "LOWACC01"}));
  EXPECT_EQ(aOut.display.priority, 8);
}
