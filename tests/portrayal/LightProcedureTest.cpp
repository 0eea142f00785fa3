// Light flares, sectors and description texts.
#include "CellFinishing.h"
#include "LightProcedure.h"
#include "ProcedureFixtures.h"

using namespace fixtures;

namespace {
constexpr int kLight = 75;
using Names = std::vector<std::string>;

std::string text(const std::string& description, bool shared = false) {
  return "TX '" + description + (shared ? "' 3,1,3,2,-1 prepared" : "' 3,2,3,2,0 prepared");
}
}  // namespace

class LightProcedureTest : public ProcedureTest {
protected:
  // Runs the light procedure on the light `index` of `cell` (lists collected first).
  Names lights(S57Cell& cell, size_t index = 0) {
    collectLights(cell);
    const PointFeature& light = *cell.points[index];
    ProcedureResult out;
    lightProcedure(light, cell, settings(), out);
    return describe(out.instructions);
  }

  Names light(Attributes attributes) {
    S57Cell cell;
    addPoint(cell, kLight, 10, 10, std::move(attributes));
    return lights(cell);
  }
};

TEST_F(LightProcedureTest, FloodSpotAndStripLightsGetOneSymbol) {
  const Attributes sectors = {{"SECTR1", "45"}, {"SECTR2", "90"}, {"COLOUR", "1"}};
  for (auto [catlit, symbol] : {std::pair{"8", "SY LIGHTS82"}, {"11", "SY LIGHTS82"}, {"9", "SY LIGHTS81"}}) {
    Attributes a = sectors;
    a.push_back({"CATLIT", catlit});
    EXPECT_EQ(light(a), Names{symbol}) << catlit;
  }
}

TEST_F(LightProcedureTest, SectorLightsGetLegsArcsAndTheirDescription) {
  struct Case {
    Attributes attributes;
    Names expected;
  } cases[] = {
      {{{"SECTR1", "45"}, {"SECTR2", "90"}, {"COLOUR", "3"}, {"LITCHR", "2"}},
       {"LS SOLD,1,CHBLK bearing 225 length 25", "LS SOLD,1,CHBLK bearing 270 length 25",
        "ARC SOLD,4,OUTLW 225-270 r20", "ARC SOLD,2,LITRD 225-270 r20", text("Fl.R")}},
      {{{"SECTR1", "300"}, {"SECTR2", "30"}, {"COLOUR", "1,3"}},
       {"LS SOLD,1,CHBLK bearing 480 length 25", "LS SOLD,1,CHBLK bearing 570 length 25",
        "ARC SOLD,4,OUTLW 480-570 r20", "ARC SOLD,2,LITRD 480-570 r20", text("WR")}},
      {{{"SECTR1", "10.7"}, {"SECTR2", "20"}, {"COLOUR", "4"}},
       {"LS SOLD,1,CHBLK bearing 190 length 25", "LS SOLD,1,CHBLK bearing 200 length 25",
        "ARC SOLD,4,OUTLW 190-200 r20", "ARC SOLD,2,LITGN 190-200 r20", text("G")}},
      {{{"SECTR1", "0"}, {"SECTR2", "90"}, {"COLOUR", "6"}},
       {"LS SOLD,1,CHBLK bearing 180 length 25", "LS SOLD,1,CHBLK bearing 270 length 25",
        "ARC SOLD,4,OUTLW 180-270 r20", "ARC SOLD,2,LITYW 180-270 r20", text("Y")}},
      {{{"SECTR1", "0"}, {"SECTR2", "90"}},  // no colour: magenta
       {"LS SOLD,1,CHBLK bearing 180 length 25", "LS SOLD,1,CHBLK bearing 270 length 25",
        "ARC SOLD,4,OUTLW 180-270 r20", "ARC SOLD,2,CHMGD 180-270 r20", text("")}},
      {{{"SECTR1", "0"}, {"SECTR2", "90"}, {"COLOUR", "1"}, {"LITVIS", "7"}},  // obscured: one dashed arc
       {"LS SOLD,1,CHBLK bearing 180 length 25", "LS SOLD,1,CHBLK bearing 270 length 25",
        "ARC DASH,1,CHBLK 180-270 r20", text("W")}},
      {{{"CATLIT", "1"}, {"ORIENT", "30"}, {"VALNMR", "12"}, {"SECTR1", "0"}, {"SECTR2", "90"}, {"COLOUR", "1"}},
       {"LS DASH,1,CHBLK bearing 30 length 12", "LS SOLD,1,CHBLK bearing 180 length 25",
        "LS SOLD,1,CHBLK bearing 270 length 25", "ARC SOLD,4,OUTLW 180-270 r20",
        "ARC SOLD,2,LITYW 180-270 r20", text("Dir.W 12M")}},
  };
  for (const Case& c : cases) EXPECT_EQ(light(c.attributes), c.expected) << c.expected[2];
}

// Sector limits that read as the largest int are turned and ordered in
// wide integers, as the numbers say.
TEST_F(LightProcedureTest, SectorLimitsAtTheEndOfTheIntRange) {
  EXPECT_EQ(light({{"SECTR1", "99999999999"}, {"SECTR2", "5"}, {"COLOUR", "1"}}),
            (Names{"LS SOLD,1,CHBLK bearing 2147483827 length 25",
                   "LS SOLD,1,CHBLK bearing 545 length 25", "ARC SOLD,4,OUTLW 2147483827-545 r20",
                   "ARC SOLD,2,LITYW 2147483827-545 r20", text("W")}));
  EXPECT_EQ(light({{"SECTR1", "5"}, {"SECTR2", "99999999999"}, {"COLOUR", "1"}}).at(1),
            "LS SOLD,1,CHBLK bearing 2147483827 length 25");
}

// Full-length legs reach the nominal range on the ground (nautical miles,
// 9 without VALNMR), the direction leg of a directional light too.
TEST_F(LightProcedureTest, FullLengthLegsReachTheNominalRange) {
  settings().setRangeLegs(1);
  const Names withRange = light({{"SECTR1", "0"}, {"SECTR2", "90"}, {"VALNMR", "12.5"}});
  EXPECT_EQ(withRange[0], "LS SOLD,1,CHBLK bearing 180 length 12.5 NM");
  const Names withoutRange = light({{"SECTR1", "0"}, {"SECTR2", "90"}});
  EXPECT_EQ(withoutRange[1], "LS SOLD,1,CHBLK bearing 270 length 9 NM");
  EXPECT_EQ(light({{"CATLIT", "1"}, {"ORIENT", "30"}, {"VALNMR", "12"}, {"COLOUR", "1"}}).at(0),
            "LS DASH,1,CHBLK bearing 30 length 12 NM");
}

TEST_F(LightProcedureTest, FlaresAndTextsOfLightsWithoutSectors) {
  const Attributes full = {{"LITCHR", "2"}, {"SIGGRP", "(2)"}, {"COLOUR", "1"}, {"SIGPER", "10"},
                           {"HEIGHT", "12"}, {"VALNMR", "9"},   {"STATUS", "7"}};
  struct Case {
    Attributes attributes;
    Names expected;
  } cases[] = {
      {full, {"SY LIGHTS13 @135", text("Fl(2)W.10s 12m 9M (temp)")}},
      {{{"COLOUR", "1,3"}}, {"SY LIGHTS11 @135", text("WR")}},  // every colour's letter
      {{{"COLOUR", "4"}}, {"SY LIGHTS12 @135", text("G")}},
      {{}, {"SY LITDEF11 @135", text("")}},
      {{{"SECTR1", "360"}, {"SECTR2", "360"}, {"COLOUR", "3"}}, {"SY LIGHTS11 @135", text("R")}},
      {{{"SECTR1", "0"}, {"SECTR2", "360"}, {"COLOUR", "6"}}, {"SY LIGHTS13 @135", text("Y")}},
      {{{"SECTR1", "45"}, {"COLOUR", "11"}}, {"SY LIGHTS13 @135", text("Or")}},  // one limit only
      {{{"CATLIT", "1"}, {"COLOUR", "1"}}, {"SY QUESMRK1", text("Dir.W")}},
      {{{"CATLIT", "1"}, {"ORIENT", "45"}, {"COLOUR", "1"}},
       {"LS DASH,1,CHBLK bearing 45 length 9", "SY LIGHTS13 @45", "TE 'ORIENT' 3,3,3,3,1 format %03.0lf deg",
        text("Dir.W")}},
      {{{"CATLIT", "16"}, {"ORIENT", "270"}, {"VALNMR", "15"}},
       {"LS DASH,1,CHBLK bearing 270 length 15", "SY LITDEF11 @270", "TE 'ORIENT' 3,3,3,3,1 format %03.0lf deg",
        text("15M")}},
  };
  for (const Case& c : cases) EXPECT_EQ(light(c.attributes), c.expected) << c.expected.back();
}

// The sectors of one light share one description, at the first of them:
// every sector's colour in the chart's order and the range of each (the
// greatest and least where they differ). A light of another character at
// the same position keeps its own.
TEST_F(LightProcedureTest, SectorsOfOneLightShareOneDescription) {
  S57Cell cell;
  const Attributes common = {{"LITCHR", "2"}, {"SIGPER", "5"}, {"HEIGHT", "12"}};
  auto sector = [&](const char* from, const char* to, const char* colour, const char* range) {
    Attributes a = common;
    a.insert(a.end(), {{"SECTR1", from}, {"SECTR2", to}, {"COLOUR", colour}, {"VALNMR", range}});
    addPoint(cell, kLight, 10, 10, a);
  };
  sector("100", "120", "3", "7");  // red, listed first
  sector("120", "140", "1", "10");
  sector("140", "160", "4", "7");
  addPoint(cell, kLight, 10, 10, {{"SECTR1", "0"}, {"SECTR2", "90"}, {"LITCHR", "1"}, {"COLOUR", "1"}});
  addPoint(cell, kLight, 20, 20, {{"SECTR1", "10"}, {"SECTR2", "20"}, {"LITCHR", "2"}, {"SIGPER", "5"},
                                   {"COLOUR", "3"}});  // elsewhere
  const struct {
    std::size_t index;
    const char* description;  // "" when the light carries none
  } cases[] = {{0, "Fl.WRG.5s 12m 10-7M"}, {1, ""}, {2, ""}, {3, "F.W"}, {4, "Fl.R.5s"}};
  for (const auto& c : cases) {
    const Names drawn = lights(cell, c.index);
    const bool described = !drawn.empty() && drawn.back().rfind("TX ", 0) == 0;
    EXPECT_EQ(described ? drawn.back() : "", *c.description ? text(c.description) : "") << c.index;
  }
}

TEST_F(LightProcedureTest, NoTextWithoutLightLabels) {
  settings().lightLabels = false;
  EXPECT_EQ(light({{"COLOUR", "3"}}), Names{"SY LIGHTS11 @135"});
}

TEST_F(LightProcedureTest, LightsSharingAPositionTurnTheirFlares) {
  S57Cell cell;
  addPoint(cell, kLight, 10, 10, {{"COLOUR", "1"}});
  addPoint(cell, kLight, 10, 10, {{"COLOUR", "3"}});
  addPoint(cell, kLight, 10, 11, {{"COLOUR", "1"}});
  addPoint(cell, kLight, 10, 10, {{"CATLIT", "1"}, {"COLOUR", "6"}});
  EXPECT_EQ(lights(cell, 0), (Names{"SY LIGHTS13 @45", text("W", true)}));
  EXPECT_EQ(lights(cell, 1), (Names{"SY LIGHTS11 @135", text("R")}));  // red: not turned
  EXPECT_EQ(lights(cell, 2), (Names{"SY LIGHTS13 @135", text("W")}));  // one unit away
  // A directional light gets no turned flare, but its text still moves.
  EXPECT_EQ(lights(cell, 3), (Names{"SY QUESMRK1", text("Dir.Y", true)}));
}

TEST_F(LightProcedureTest, NestedSectorsAtOnePositionGetTheLargerRadius) {
  struct Case {
    const char* s1;
    const char* s2;  // the other light's sector
    const char* radius;
  } cases[] = {
      {"40", "100", "r25"},   // 45..90 lies inside 40..100
      {"50", "80", "r25"},    // 50..80 lies inside 45..90
      {"60", "120", "r20"},   // partly overlapping only
      {"100", "200", "r20"},  // apart
      {"0", "360", "r20"},    // an all-round light
  };
  for (const Case& c : cases) {
    S57Cell cell;
    addPoint(cell, kLight, 10, 10, {{"SECTR1", "45"}, {"SECTR2", "90"}, {"COLOUR", "1"}});
    addPoint(cell, kLight, 10, 10, {{"SECTR1", c.s1}, {"SECTR2", c.s2}, {"COLOUR", "3"}});
    const Names first = lights(cell, 0);
    EXPECT_EQ(first.at(3), std::string("ARC SOLD,2,LITYW 225-270 ") + c.radius) << c.s1 << "-" << c.s2;
    EXPECT_EQ(cell.points[0]->arcClass.get(), std::string(c.radius) == "r25" ? 1 : 2);
  }
}

TEST_F(LightProcedureTest, ArcClassIsKept) {
  S57Cell cell;
  addPoint(cell, kLight, 10, 10, {{"SECTR1", "45"}, {"SECTR2", "90"}});
  cell.points[0]->arcClass.set(1);
  EXPECT_EQ(lights(cell).at(3), "ARC SOLD,2,CHMGD 225-270 r25");
}

TEST_F(LightProcedureTest, DescriptionText) {
  struct Case {
    Attributes attributes;
    const char* expected;
  } cases[] = {
      // Character, group, colours and period joined by dots, none after a
      // group; height, range and status after spaces.
      {{{"LITCHR", "2"}, {"COLOUR", "3"}, {"SIGPER", "3"}, {"HEIGHT", "8"}, {"VALNMR", "5"}}, "Fl.R.3s 8m 5M"},
      {{{"LITCHR", "2"}, {"SIGGRP", "(2)"}, {"COLOUR", "3"}, {"SIGPER", "10"}}, "Fl(2)R.10s"},
      {{{"LITCHR", "7"}, {"COLOUR", "4"}, {"SIGPER", "4"}}, "Iso.G.4s"},
      {{{"LITCHR", "8"}, {"SIGGRP", "(3)"}, {"COLOUR", "1"}, {"SIGPER", "15"}, {"HEIGHT", "12"}, {"VALNMR", "10"}},
       "Oc(3)W.15s 12m 10M"},
      {{{"LITCHR", "2"}, {"SIGGRP", "(2)"}, {"SIGPER", "10"}}, "Fl(2)10s"},  // no colour
      {{{"LITCHR", "4"}, {"SIGPER", "2.5"}, {"VALNMR", "3"}}, "Q.2.5s 3M"},
      // Alternating: the colours follow "Al." directly, in the chart's order.
      {{{"LITCHR", "28"}, {"COLOUR", "1,3"}}, "Al.WR"},
      {{{"LITCHR", "28"}, {"COLOUR", "3,1"}}, "Al.WR"},
      {{{"LITCHR", "19"}, {"SIGGRP", "(2)"}, {"COLOUR", "1,4"}, {"SIGPER", "6"}}, "Al.Fl(2)WG.6s"},
      // Categories.
      {{{"CATLIT", "1"}, {"LITCHR", "8"}, {"COLOUR", "1,3,4"}, {"SIGPER", "4"}}, "Dir.Oc.WRG.4s"},
      {{{"CATLIT", "5"}, {"LITCHR", "4"}, {"COLOUR", "2"}}, "Aero Q"},  // black: no light colour
      {{{"CATLIT", "7"}, {"LITCHR", "29"}, {"STATUS", "17"}}, "Fog Det Lt Al.FFl (U)"},
      {{{"CATLIT", "5"}}, "Aero"},
      // Status, colours without a letter, groups of one, codes as whole texts.
      {{{"LITCHR", "21"}, {"COLOUR", "13"}, {"STATUS", "11"}}, "(exting)"},  // 21 has no text
      {{{"LITCHR", "25"}, {"SIGGRP", "(1)"}, {"COLOUR", "9"}}, "Q+LFl.Am"},
      {{{"LITCHR", "8"}, {"SIGGRP", "()"}, {"COLOUR", "10"}, {"STATUS", "2"}}, "Oc.Vi (occas)"},
      {{{"LITCHR", "3"}, {"COLOUR", "5"}}, "LFl.Bu"},
      {{{"LITCHR", "7"}, {"COLOUR", "1,7,3"}}, "Iso.WR"},  // grey shows no light
      {{{"LITCHR", "12"}, {"SIGGRP", "(U)"}, {"COLOUR", "6"}}, "Mo(U)Y"},
      {{{"LITCHR", "5"}, {"SIGGRP", "(3)"}, {"COLOUR", "11"}}, "VQ(3)Or"},
      {{{"LITCHR", "1"}, {"SIGGRP", "(2+1)"}, {"COLOUR", "14"}, {"STATUS", "8"}}, "F(2+1) (priv)"},
      {{{"LITCHR", "02"}, {"COLOUR", "01"}}, ""},  // codes compare as whole texts
      {{{"CATLIT", "1,5"}, {"HEIGHT", "7.5"}}, "7.5m"},
  };
  for (const Case& c : cases) {
    PointFeature f;
    f.attributes = c.attributes;
    EXPECT_EQ(lightDescription(f), c.expected);
  }
}

TEST_F(LightProcedureTest, SectorLimits) {
  PointFeature f;
  EXPECT_EQ(sectorLimits(f), (std::pair{0.0f, 0.0f}));
  f.attributes = {{"SECTR1", "12.5"}, {"SECTR2", "x"}};
  EXPECT_EQ(sectorLimits(f), (std::pair{12.5f, 0.0f}));
}
