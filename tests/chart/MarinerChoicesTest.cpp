// The mariner's further choices as `enctool info --features --portrayal`
// reports them, on small written cells: the safety depth apart from the
// safety contour, isolated dangers in shallow water, plain or symbolised
// area boundaries and data quality.
#include <gtest/gtest.h>

#include <filesystem>

#include "PortrayalReport.h"

namespace {
using namespace portrayalreport;

enum : int { kOBSTRN = 86, kRESARE = 112, kM_QUAL = 308 };
enum : int { kCATZOC = 72, kRESTRN = 131, kVALSOU = 179, kWATLEV = 187 };

class MarinerChoices : public testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(kLibrary)) GTEST_SKIP() << "no generated library in " << kLibrary;
  }
  fixtures::TempDirectory directory;
};

// Soundings at or shallower than the safety depth take the black figures
// (SOUNDS), deeper ones the grey (SOUNDG). The safety depth is the safety
// contour's until the mariner gives one of its own.
TEST_F(MarinerChoices, SoundingsAreToldApartByTheSafetyDepth) {
  CellBuilder cell;
  cell.addArea(kDEPARE, {{kDRVAL1, "5"}, {kDRVAL2, "20"}});
  cell.addSoundings({{kOBJNAM, "S"}});  // 12.5 m and 8.7 m
  const std::string path = cell.write(directory);
  struct Case {
    const char* args;
    bool shallowBlack, deepBlack;  // 8.7 m, 12.5 m
  } cases[] = {
      {"--soundings", true, false},                     // the safety contour of 10 m
      {"--soundings --safety 20", true, true},          // still the contour's
      {"--soundings --safety-depth 5", false, false},   // one of its own
      {"--soundings --safety-depth 8.7", true, false},  // at it: black
      {"--soundings --safety-depth 15 --safety 5", true, true},
      {"--soundings --safety-depth 0", false, false},
  };
  for (const Case& c : cases) {
    const Report report = portrayal(path, c.args);
    ASSERT_EQ(report.status, 0) << c.args;
    const std::string drawn = report.drawn("S");
    EXPECT_EQ(has(drawn, "SY(SOUNDS18)"), c.shallowBlack) << c.args << ": " << drawn;
    EXPECT_EQ(has(drawn, "SY(SOUNDG18)"), !c.shallowBlack) << c.args << ": " << drawn;
    EXPECT_EQ(has(drawn, "SY(SOUNDS21)"), c.deepBlack) << c.args << ": " << drawn;
    EXPECT_EQ(has(drawn, "SY(SOUNDG21)"), !c.deepBlack) << c.args << ": " << drawn;
  }
  for (const char* bad : {"--safety-depth -1", "--safety-depth 501", "--safety-depth x", "--safety-depth"})
    EXPECT_EQ(portrayal(path, bad).status, 2) << bad;
}

// An obstruction shallower than the safety contour is an isolated danger in
// deep water always, and in shallow water (not drying) when the mariner
// asks: then in the standard display, its SCAMIN kept.
TEST_F(MarinerChoices, IsolatedDangersInShallowWater) {
  CellBuilder cell;
  cell.addBand(kDEPARE, {{kDRVAL1, "-1"}, {kDRVAL2, "0"}}, -0.05, -0.02);  // drying
  cell.addBand(kDEPARE, {{kDRVAL1, "2"}, {kDRVAL2, "5"}}, -0.02, 0.02);    // shallow
  cell.addBand(kDEPARE, {{kDRVAL1, "20"}, {kDRVAL2, "30"}}, 0.02, 0.05);   // deep
  const std::vector<Attribute> obstruction = {{kVALSOU, "1"}, {kWATLEV, "3"}, {kSCAMIN, "15000"}};
  const std::pair<const char*, double> hazards[] = {{"drying", -0.035}, {"shallow", 0}, {"deep", 0.035}};
  for (const auto& [name, east] : hazards) {
    std::vector<Attribute> attributes = obstruction;
    attributes.push_back({kOBJNAM, name});
    cell.addPoint(kOBSTRN, attributes, east);
  }
  const std::string path = cell.write(directory);
  const auto danger = [](const std::string& drawn) { return has(drawn, "SY(ISODGR01)"); };

  // Off, the one in shallow water is a plain obstruction of the "other"
  // display; on, a danger of the standard display.
  const Report off = portrayal(path, "--scale 10000");
  const Report offAll = portrayal(path, "--scale 10000 --category 2");
  const Report on = portrayal(path, "--scale 10000 --shallow-dangers");
  const Report onAll = portrayal(path, "--scale 10000 --shallow-dangers --category 2");
  ASSERT_EQ(off.status, 0);
  ASSERT_EQ(on.status, 0);
  for (const Report* r : {&off, &offAll, &on, &onAll}) EXPECT_TRUE(danger(r->drawn("deep"))) << r->drawn("deep");
  EXPECT_EQ(off.drawn("shallow"), "");
  EXPECT_FALSE(danger(offAll.drawn("shallow"))) << offAll.drawn("shallow");
  EXPECT_TRUE(has(offAll.drawn("shallow"), "SY(DANGER01)")) << offAll.drawn("shallow");
  EXPECT_TRUE(danger(on.drawn("shallow"))) << on.drawn("shallow");
  EXPECT_FALSE(has(on.drawn("shallow"), "DANGER01")) << on.drawn("shallow");
  EXPECT_FALSE(danger(onAll.drawn("drying"))) << onAll.drawn("drying");

  // In the base display only the danger in deep water stays; at a scale
  // beyond SCAMIN the one in shallow water goes, the one in deep water not.
  const Report base = portrayal(path, "--scale 10000 --shallow-dangers --category 0");
  EXPECT_TRUE(danger(base.drawn("deep")));
  EXPECT_EQ(base.drawn("shallow"), "");
  const Report small = portrayal(path, "--scale 20000 --shallow-dangers");
  EXPECT_TRUE(danger(small.drawn("deep")));
  EXPECT_EQ(small.drawn("shallow"), "");
}

// Restricted areas: the complex line of their family with symbolised
// boundaries, the plain dashed line with plain boundaries, whatever the
// symbol style of points.
TEST_F(MarinerChoices, PlainOrSymbolisedAreaBoundaries) {
  CellBuilder cell;
  cell.addArea(kRESARE, {{kRESTRN, "7"}, {kOBJNAM, "R"}});
  const std::string path = cell.write(directory);
  struct Case {
    const char* args;
    const char* boundary;
  } cases[] = {
      {"", "LC(ENTRES51)"},
      {"--paper", "LC(ENTRES51)"},
      {"--plain-boundaries", "LS(DASH,2,CHMGD)"},
      {"--plain-boundaries --paper", "LS(DASH,2,CHMGD)"},
  };
  for (const Case& c : cases) {
    const Report report = portrayal(path, c.args);
    ASSERT_EQ(report.status, 0) << c.args;
    EXPECT_TRUE(has(report.drawn("R"), c.boundary)) << c.args << ": " << report.drawn("R");
    EXPECT_TRUE(has(report.drawn("R"), "SY(ENTRES51)")) << c.args << ": " << report.drawn("R");
  }
}

// Data quality: M_QUAL areas with the DQUAL pattern of their zone of
// confidence, in every display category once switched on, never without.
TEST_F(MarinerChoices, DataQualityByZoneOfConfidence) {
  CellBuilder cell;
  cell.addBand(kM_QUAL, {{kCATZOC, "1"}, {kOBJNAM, "A1"}}, -0.05, -0.02);
  cell.addBand(kM_QUAL, {{kCATZOC, "4"}, {kOBJNAM, "C"}}, -0.02, 0.02);
  cell.addBand(kM_QUAL, {{kCATZOC, "6"}, {kOBJNAM, "U"}}, 0.02, 0.05);
  const std::string path = cell.write(directory);
  const std::pair<const char*, const char*> zones[] = {{"A1", "AP(DQUALA11)"}, {"C", "AP(DQUALC01)"},
                                                       {"U", "AP(DQUALU01)"}};
  for (const char* category : {"0", "1", "2"}) {
    const std::string args = std::string("--category ") + category;
    const Report off = portrayal(path, args);
    const Report on = portrayal(path, args + " --data-quality");
    ASSERT_EQ(on.status, 0) << args;
    for (const auto& [zone, pattern] : zones) {
      EXPECT_EQ(off.drawn(zone), "") << args << " " << zone;
      EXPECT_TRUE(has(on.drawn(zone), pattern)) << args << " " << zone << ": " << on.drawn(zone);
      EXPECT_TRUE(has(on.drawn(zone), "LS(DASH,2,CHGRD)")) << args << " " << zone;
    }
  }
}

}  // namespace
