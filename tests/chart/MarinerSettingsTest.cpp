// The mariner's settings as `enctool info --features --portrayal` reports
// them: SCAMIN (soundings included) and its switch, the overscale pattern,
// two or four depth shades with the shallow pattern, objects of a date,
// text groups and light descriptions; on small written cells and on
// US5WA22M.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "PortrayalReport.h"

namespace {
using namespace portrayalreport;

class MarinerSettings : public testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(kLibrary)) GTEST_SKIP() << "no generated library in " << kLibrary;
  }
  fixtures::TempDirectory directory;
};

// Sounding features obey their SCAMIN like every feature; "--no-scamin"
// shows every feature whatever its SCAMIN.
TEST_F(MarinerSettings, ScaleMinimumHidesSoundingsAndOtherFeaturesUnlessSwitchedOff) {
  CellBuilder cell;
  cell.addArea(kDEPARE, {{kDRVAL1, "5"}, {kDRVAL2, "20"}});
  cell.addSoundings({{kSCAMIN, "30000"}, {kOBJNAM, "S"}});
  cell.addPoint(kLNDMRK, {{kSCAMIN, "30000"}, {kOBJNAM, "P"}});
  const std::string path = cell.write(directory);
  struct Case {
    const char* args;
    bool shown;
  } cases[] = {
      {"--soundings --scale 29999", true},
      {"--soundings --scale 30000", false},  // at SCAMIN: hidden
      {"--soundings --scale 90000", false},
      {"--soundings --scale 90000 --no-scamin", true},
  };
  for (const Case& c : cases) {
    const Report report = portrayal(path, c.args);
    ASSERT_EQ(report.status, 0) << c.args;
    EXPECT_EQ(has(report.drawn("S"), "SOUNDG"), c.shown) << c.args << ": " << report.drawn("S");
    EXPECT_EQ(!report.drawn("P").empty(), c.shown) << c.args << ": " << report.drawn("P");
  }
  // Soundings switched off stay off with SCAMIN switched off.
  EXPECT_EQ(portrayal(path, "--scale 90000 --no-scamin").drawn("S"), "");
}

// The overscale pattern over the cell's coverage once the view is more than
// twice as detailed as the cell's compilation scale; the cell's line gives
// the factor.
TEST_F(MarinerSettings, OverscalePatternBeyondTwiceTheCompilationScale) {
  CellBuilder cell(20000);
  cell.addArea(kM_COVR, {{kCATCOV, "1"}, {kOBJNAM, "covered"}});
  cell.addArea(kM_COVR, {{kCATCOV, "2"}, {kOBJNAM, "not covered"}});
  const std::string path = cell.write(directory);
  struct Case {
    const char* scale;
    const char* factor;
    bool pattern;
  } cases[] = {
      {"40000", "\"overscale\":0", false},  // less detailed than compiled
      {"20000", "\"overscale\":0", false},
      {"10000", "\"overscale\":2", false},  // exactly twice: no pattern yet
      {"9000", "\"overscale\":2.2", true},
      {"2000", "\"overscale\":10", true},
  };
  for (const Case& c : cases) {
    const Report report = portrayal(path, std::string("--scale ") + c.scale);
    ASSERT_EQ(report.status, 0) << c.scale;
    EXPECT_TRUE(has(report.cellLine, c.factor)) << c.scale << ": " << report.cellLine;
    EXPECT_EQ(has(report.drawn("covered"), "AP(OVERSC01)"), c.pattern) << c.scale;
    EXPECT_FALSE(has(report.drawn("not covered"), "OVERSC01")) << c.scale;
  }
}

// Four shades split the water at the shallow, safety and deep contours;
// two shades at the safety contour only. The shallow pattern marks water
// shallower than the safety contour.
TEST_F(MarinerSettings, DepthShadesAndTheShallowPattern) {
  CellBuilder cell;
  const std::pair<const char*, const char*> areas[] = {{"0", "2"}, {"3", "5"}, {"5", "8"}, {"10", "15"},
                                                       {"12", "15"}, {"20", "30"}};
  for (auto [d1, d2] : areas) {
    const std::string name = std::string(d1) + "-" + d2;
    cell.addArea(kDEPARE, {{kDRVAL1, d1}, {kDRVAL2, d2}, {kOBJNAM, name}});
  }
  const std::string path = cell.write(directory);
  struct Case {
    const char* args;
    std::map<std::string, std::string> fills;  // area: its colour and pattern
  } cases[] = {
      // Start values: safety 10 m, shallow 5 m, deep 20 m.
      {"",
       {{"0-2", "AC(DEPVS)"}, {"3-5", "AC(DEPVS)"}, {"5-8", "AC(DEPMS)"}, {"10-15", "AC(DEPMD)"},
        {"12-15", "AC(DEPMD)"}, {"20-30", "AC(DEPDW)"}}},
      {"--two-shades",
       {{"0-2", "AC(DEPVS)"}, {"3-5", "AC(DEPVS)"}, {"5-8", "AC(DEPVS)"}, {"10-15", "AC(DEPDW)"},
        {"12-15", "AC(DEPDW)"}, {"20-30", "AC(DEPDW)"}}},
      {"--shallow 3 --deep 12",
       {{"0-2", "AC(DEPVS)"}, {"3-5", "AC(DEPMS)"}, {"5-8", "AC(DEPMS)"}, {"10-15", "AC(DEPMD)"},
        {"12-15", "AC(DEPDW)"}, {"20-30", "AC(DEPDW)"}}},
      {"--shallow-pattern",
       {{"0-2", "AC(DEPVS);AP(DIAMOND1)"}, {"5-8", "AC(DEPMS);AP(DIAMOND1)"}, {"10-15", "AC(DEPMD)"}}},
      {"--shallow-pattern --two-shades --safety 15",
       {{"10-15", "AC(DEPVS);AP(DIAMOND1)"}, {"20-30", "AC(DEPDW)"}}},
  };
  for (const Case& c : cases) {
    const Report report = portrayal(path, c.args);
    ASSERT_EQ(report.status, 0) << c.args;
    for (const auto& [area, fill] : c.fills) {
      const std::string drawn = report.drawn(area);
      EXPECT_EQ(drawn.substr(0, fill.size()), fill) << c.args << " " << area << ": " << drawn;
      if (!has(fill, "DIAMOND1")) {
        EXPECT_FALSE(has(drawn, "DIAMOND1")) << c.args << " " << area;
      }
    }
  }
  // Contours the settings do not take are refused.
  for (const char* args : {"--shallow 12", "--deep 8", "--safety 0", "--safety 501", "--deep x"})
    EXPECT_EQ(portrayal(path, args).status, 2) << args;
}

// Objects outside their dates (DATSTA/DATEND) or their season
// (PERSTA/PEREND) are hidden on the viewing date; with all dates shown
// they come back with the date indication.
TEST_F(MarinerSettings, ObjectsOfTheViewingDate) {
  CellBuilder cell;
  const struct {
    const char* name;
    std::vector<Attribute> dates;
  } objects[] = {
      {"summer 2024", {{kDATSTA, "20240501"}, {kDATEND, "20240930"}}},
      {"winters", {{kPERSTA, "--1101"}, {kPEREND, "--0331"}}},   // every year, across the new year
      {"until 2024", {{kDATEND, "2024"}}},                        // the whole year 2024
      {"from June 2025", {{kDATSTA, "202506"}}},                  // from 1 June 2025
      {"unreadable", {{kDATSTA, "2024-05-01"}, {kDATEND, "x"}}},  // no date: always shown
  };
  double east = -0.04;
  for (const auto& o : objects) {
    std::vector<Attribute> attributes = o.dates;
    attributes.push_back({kOBJNAM, o.name});
    attributes.push_back({kBOYSHP, "2"});
    cell.addPoint(kBOYLAT, attributes, east += 0.015);
  }
  const std::string path = cell.write(directory);
  struct Case {
    const char* date;
    std::set<std::string> shown;
  } cases[] = {
      {"20240501", {"summer 2024", "until 2024", "unreadable"}},
      {"20240930", {"summer 2024", "until 2024", "unreadable"}},
      {"20241001", {"until 2024", "unreadable"}},
      {"20241231", {"winters", "until 2024", "unreadable"}},
      {"20250101", {"winters", "unreadable"}},
      {"20250331", {"winters", "unreadable"}},
      {"20250531", {"unreadable"}},
      {"20250601", {"from June 2025", "unreadable"}},
  };
  for (const Case& c : cases) {
    const Report report = portrayal(path, std::string("--date ") + c.date);
    ASSERT_EQ(report.status, 0) << c.date;
    for (const auto& o : objects) {
      const std::string drawn = report.drawn(o.name);
      EXPECT_EQ(!drawn.empty(), c.shown.count(o.name) == 1) << c.date << " " << o.name << ": " << drawn;
      EXPECT_FALSE(has(drawn, "~")) << c.date << " " << o.name;
    }
  }
  // All dates: every object drawn, those outside their dates marked with
  // the period that leaves them out (the library has no CHDATD01).
  const Report all = portrayal(path, "--date 20241001 --all-dates");
  EXPECT_TRUE(has(all.drawn("summer 2024"), "TX(2024-05-01~2024-09-30,")) << all.drawn("summer 2024");
  EXPECT_TRUE(has(all.drawn("winters"), "TX(11-01~03-31,")) << all.drawn("winters");
  EXPECT_TRUE(has(all.drawn("from June 2025"), "TX(2025-06~,")) << all.drawn("from June 2025");
  EXPECT_FALSE(has(all.drawn("until 2024"), "~"));
  for (const char* bad : {"2024-10-01", "20241301", "20230229", "2024100", "18991231"})
    EXPECT_EQ(portrayal(path, std::string("--date ") + bad).status, 2) << bad;
}

// Important texts (names of aids to navigation, light descriptions) and
// other texts (geographic names) switch apart.
TEST_F(MarinerSettings, ImportantAndOtherTextsSwitchApart) {
  CellBuilder cell;
  cell.addArea(kSEAARE, {{kOBJNAM, "Sound"}});
  cell.addPoint(kBOYLAT, {{kOBJNAM, "Buoy 3"}, {kBOYSHP, "2"}}, -0.02);
  cell.addPoint(kLIGHTS, {{kOBJNAM, "Light"}, {kLITCHR, "2"}, {kCOLOUR, "1"}, {kSIGPER, "4"}}, 0.02);
  const std::string path = cell.write(directory);
  struct Case {
    const char* args;
    bool important, other;
  } cases[] = {
      {"", true, true},
      {"--no-important-text", false, true},
      {"--no-other-text", true, false},
      {"--no-important-text --no-other-text", false, false},
  };
  for (const Case& c : cases) {
    const Report report = portrayal(path, c.args);
    ASSERT_EQ(report.status, 0) << c.args;
    EXPECT_EQ(has(report.drawn("Buoy 3"), "'Buoy 3'"), c.important) << c.args << ": " << report.drawn("Buoy 3");
    EXPECT_EQ(has(report.drawn("Light"), "TX(Fl.W.4s,"), c.important) << c.args << ": " << report.drawn("Light");
    EXPECT_EQ(has(report.drawn("Sound"), "TX(Sound,"), c.other) << c.args << ": " << report.drawn("Sound");
    // The symbols stay whatever the texts.
    EXPECT_TRUE(has(report.drawn("Buoy 3"), "SY(")) << c.args;
    EXPECT_TRUE(has(report.drawn("Light"), "SY(LIGHTS")) << c.args;
  }
}

// Sector lights and lights of several colours get their full description.
TEST_F(MarinerSettings, LightDescriptions) {
  CellBuilder cell;
  const struct {
    const char* name;
    std::vector<Attribute> light;
    const char* description;
  } lights[] = {
      {"sector", {{kSECTR1, "45"}, {kSECTR2, "90"}, {kLITCHR, "2"}, {kSIGGRP, "(3)"}, {kCOLOUR, "3"},
                  {kSIGPER, "10"}, {kVALNMR, "8"}}, "Fl(3)R.10s 8M"},
      {"alternating", {{kLITCHR, "28"}, {kCOLOUR, "1,3"}}, "Al.WR"},
      {"long flash", {{kLITCHR, "3"}, {kCOLOUR, "4"}, {kSIGPER, "6"}}, "LFl.G.6s"},
      {"directional", {{kCATLIT, "1"}, {kLITCHR, "7"}, {kCOLOUR, "1"}}, "Dir.Iso.W"},
  };
  double east = -0.04;
  for (const auto& l : lights) {
    std::vector<Attribute> attributes = l.light;
    attributes.push_back({kOBJNAM, l.name});
    cell.addPoint(kLIGHTS, attributes, east += 0.02);
  }
  const Report report = portrayal(cell.write(directory), "");
  ASSERT_EQ(report.status, 0);
  for (const auto& l : lights) {
    const std::string drawn = report.drawn(l.name);
    EXPECT_TRUE(has(drawn, std::string("TX(") + l.description + ",")) << l.name << ": " << drawn;
  }
  EXPECT_TRUE(has(report.drawn("sector"), "ARC")) << report.drawn("sector");
}

// ---- US5WA22M ------------------------------------------------------------

class RealCell : public MarinerSettings {
protected:
  void SetUp() override {
    MarinerSettings::SetUp();
    if (!std::filesystem::exists(kRealCell)) GTEST_SKIP() << "real cell absent: " << kRealCell;
  }
  static int drawnCount(const Report& report, const std::string& part) {
    int n = 0;
    for (const FeatureLine* f : report.with(part)) n += !f->drawn.empty();
    return n;
  }
};

// At four times its compilation scale (1:60,000) NOAA's SCAMIN of the
// sounding features hides most of them.
TEST_F(RealCell, FewerSoundingsWithScaleMinimum) {
  const Report on = portrayal(kRealCell, "--soundings --scale 60000");
  const Report off = portrayal(kRealCell, "--soundings --scale 60000 --no-scamin");
  ASSERT_EQ(on.status, 0);
  ASSERT_EQ(off.status, 0);
  const int withScaleMinimum = drawnCount(on, "\"class\":\"SOUNDG\"");
  const int without = drawnCount(off, "\"class\":\"SOUNDG\"");
  EXPECT_GT(without, 0);
  EXPECT_LT(withScaleMinimum, without);
}

TEST_F(RealCell, OverscaleAtOneToTwoThousand) {
  const Report report = portrayal(kRealCell, "--scale 2000");
  ASSERT_EQ(report.status, 0);
  EXPECT_TRUE(has(report.cellLine, "\"overscale\":7.5")) << report.cellLine;  // compiled for 1:15,000
  bool pattern = false;
  for (const FeatureLine* f : report.with("\"class\":\"M_COVR\"")) pattern = pattern || has(f->drawn, "AP(OVERSC01)");
  EXPECT_TRUE(pattern);
  EXPECT_FALSE(has(portrayal(kRealCell, "").cellLine, "\"overscale\":7.5"));
}

// Two shades merge the very shallow and medium shallow water, and the
// medium deep and deep water, at the safety contour. (The cell's depth
// areas end at 1.8, 3.6, 5.4 and 9.1 m: contours of 2, 5 and 9 m give all
// four shades.)
TEST_F(RealCell, FourShadesAgainstTwo) {
  const Report four = portrayal(kRealCell, "--safety 5 --deep 9");
  const Report two = portrayal(kRealCell, "--safety 5 --deep 9 --two-shades");
  ASSERT_EQ(four.features.size(), two.features.size());
  const std::map<std::string, std::string> merged = {{"AC(DEPVS)", "AC(DEPVS)"}, {"AC(DEPMS)", "AC(DEPVS)"},
                                                     {"AC(DEPMD)", "AC(DEPDW)"}, {"AC(DEPDW)", "AC(DEPDW)"},
                                                     {"AC(DEPIT)", "AC(DEPIT)"}};
  std::set<std::string> fourFills, twoFills;
  for (std::size_t i = 0; i < four.features.size(); ++i) {
    if (!has(four.features[i].text, "\"class\":\"DEPARE\"")) continue;
    const std::string a = four.features[i].drawn.substr(0, four.features[i].drawn.find(';'));
    const std::string b = two.features[i].drawn.substr(0, two.features[i].drawn.find(';'));
    if (a.empty()) continue;
    fourFills.insert(a);
    twoFills.insert(b);
    ASSERT_EQ(merged.count(a), 1u) << a;
    EXPECT_EQ(b, merged.at(a)) << four.features[i].text;
  }
  EXPECT_EQ(fourFills, (std::set<std::string>{"AC(DEPIT)", "AC(DEPVS)", "AC(DEPMS)", "AC(DEPMD)", "AC(DEPDW)"}));
  EXPECT_EQ(twoFills, (std::set<std::string>{"AC(DEPIT)", "AC(DEPVS)", "AC(DEPDW)"}));
}

}  // namespace
