// The line procedures, edge by edge.
#include "LineProcedures.h"
#include "ProcedureFixtures.h"

using namespace fixtures;

namespace {
constexpr int kCoastline = 30, kShoreline = 122, kDepthContour = 43, kObstruction = 86, kDepthArea = 42;
using Names = std::vector<std::string>;

// A line of one edge per QUAPOS value (nullptr: the edge has none), each
// edge two vertices long, along y = 50 from x = 10.
LineFeature line(int objectClass, Attributes attributes, std::vector<const char*> quapos) {
  LineFeature f;
  f.objectClass = objectClass;
  f.attributes = std::move(attributes);
  double x = 10;
  for (const char* q : quapos) {
    BoundaryPart part;
    part.offset = static_cast<std::uint32_t>(f.vertices.size());
    part.count = 2;
    if (q) part.edgeAttributes = {{"401", "3"}, {"402", q}};
    part.instructions.push_back(Instruction{});  // left from an earlier run
    f.parts.push_back(part);
    f.vertices.push_back({{x, 50}, 0});
    f.vertices.push_back({{x + 10, 50}, 0});
    x += 10;
  }
  f.procedureInstructions.push_back(Instruction{});
  return f;
}

std::vector<Names> perEdge(const LineFeature& f) {
  std::vector<Names> out;
  for (const BoundaryPart& p : f.parts) out.push_back(symbolNames(p.instructions));
  return out;
}
}  // namespace

class LineProceduresTest : public ProcedureTest {};

TEST_F(LineProceduresTest, ShorelineConstruction) {
  struct Case {
    Attributes attributes;
    const char* style;  // of the edge without QUAPOS
  } cases[] = {
      {{{"CONDTN", "1"}, {"CATSLC", "6"}}, "LS DASH,1,CSTLN"},
      {{{"CONDTN", "2"}}, "LS DASH,1,CSTLN"},
      {{{"CATSLC", "15"}, {"WATLEV", "3"}}, "LS SOLD,4,CSTLN"},
      {{{"CATSLC", "16"}}, "LS SOLD,4,CSTLN"},
      {{{"WATLEV", "4"}}, "LS DASH,2,CSTLN"},
      {{{"CONDTN", "3"}, {"WATLEV", "2"}}, "LS SOLD,2,CSTLN"},
  };
  for (const Case& c : cases) {
    LineFeature f = line(kShoreline, c.attributes, {"4", nullptr, "10", "1", "11", "x"});
    shorelineConstructionProcedure(f);
    EXPECT_EQ(perEdge(f), (std::vector<Names>{{"LC LOWACC21"}, {c.style}, {c.style}, {c.style}, {c.style},
                                              {"LC LOWACC21"}}))
        << c.style;
    EXPECT_TRUE(f.procedureInstructions.empty());
    EXPECT_EQ(f.proceduresRan, 1);
  }
}

TEST_F(LineProceduresTest, QualityOfPosition) {
  LineFeature coast = line(kCoastline, {{"CONRAD", "1"}}, {nullptr, "5", "10"});
  lineQualityProcedure(coast);
  EXPECT_EQ(perEdge(coast), (std::vector<Names>{{"LS SOLD,3,CHMGF", "LS SOLD,1,CSTLN"},
                                                {"LS SOLD,1,CSTLN"},
                                                {"LS SOLD,3,CHMGF", "LS SOLD,1,CSTLN"}}));

  LineFeature plainCoast = line(kCoastline, {{"CONRAD", "3"}}, {nullptr});
  lineQualityProcedure(plainCoast);
  EXPECT_EQ(perEdge(plainCoast), (std::vector<Names>{{"LS SOLD,1,CSTLN"}}));

  LineFeature other = line(kShoreline, {{"CONRAD", "1"}}, {nullptr, "5"});
  lineQualityProcedure(other);
  EXPECT_EQ(perEdge(other), (std::vector<Names>{{"LS SOLD,1,CSTLN"}, {"LS SOLD,1,CSTLN"}}));
  EXPECT_EQ(other.proceduresRan, 1);
}

TEST_F(LineProceduresTest, DepthContourEdgesAndLabels) {
  LineFeature contour = line(kDepthContour, {{"VALDCO", "5.5"}}, {"10", "5", nullptr});
  depthContourProcedure(contour);
  const Names label = {"AC DEPVS/2", "SAFCON05", "SAFCON65"};
  auto with = [&](const char* style) {
    Names n = {style};
    n.insert(n.end(), label.begin(), label.end());
    return n;
  };
  EXPECT_EQ(perEdge(contour),
            (std::vector<Names>{with("LS SOLD,1,DEPCN"), with("LS DASH,1,DEPCN"), with("LS SOLD,1,DEPCN")}));

  settings().contourLabels = false;
  LineFeature noValue = line(kDepthContour, {}, {"4"});
  depthContourProcedure(noValue);
  EXPECT_EQ(perEdge(noValue), (std::vector<Names>{{"LS DASH,1,DEPCN"}}));
}

TEST_F(LineProceduresTest, ObstructionLine) {
  struct Case {
    const char* drval1;  // depth area around the line, nullptr: none
    Attributes attributes;
    Names edges;  // for edges with QUAPOS none, "4", "1"
    bool danger;
  } cases[] = {
      {"20", {{"VALSOU", "2.5"}}, {"LS SOLD,2,CHBLK", "LC LOWACC41", "LS SOLD,2,CHBLK"}, true},
      {"20", {{"VALSOU", "3500"}}, {"LS DASH,2,CHBLK", "LC LOWACC31", "LS DASH,2,CHBLK"}, false},
      {nullptr, {{"VALSOU", "3500"}}, {"LS DASH,2,CHBLK", "LC LOWACC31", "LS DASH,2,CHBLK"}, false},
      {nullptr, {{"VALSOU", "2.5"}}, {"LS SOLD,2,CHBLK", "LC LOWACC31", "LS SOLD,2,CHBLK"}, false},
      {nullptr, {}, {"LS SOLD,2,CHBLK", "LC LOWACC31", "LS SOLD,2,CHBLK"}, false},
      {"20", {{"WATLEV", "3"}}, {"LS SOLD,2,CHBLK", "LC LOWACC41", "LS SOLD,2,CHBLK"}, true},
      {"20", {{"VALSOU", "2.5"}, {"WATLEV", "1"}}, {"LS SOLD,2,CHBLK", "LC LOWACC31", "LS SOLD,2,CHBLK"}, false},
  };
  for (const Case& c : cases) {
    S57Cell cell;
    if (c.drval1) addArea(cell, kDepthArea, 0, 0, 100, 100, {{"DRVAL1", c.drval1}});
    LineFeature f = line(kObstruction, c.attributes, {nullptr, "4", "1"});
    lineObstructionProcedure(f, cell);
    std::vector<Names> expected;
    for (const std::string& e : c.edges) expected.push_back({e});
    EXPECT_EQ(perEdge(f), expected) << testing::PrintToString(c.edges);
    EXPECT_EQ(symbolNames(f.procedureInstructions), c.danger ? Names{"ISODGR01"} : Names{});
  }
}

TEST_F(LineProceduresTest, ObstructionStyleWhenAHighAccuracyEdgeIsNotDangerous) {
  // A 3500 m obstruction in 20 m of water is deeper than the safety contour:
  // not dangerous, so a QUAPOS 1 edge follows the style rule (dashed).
  S57Cell cell;
  addArea(cell, kDepthArea, 0, 0, 100, 100, {{"DRVAL1", "20"}});
  LineFeature f = line(kObstruction, {{"VALSOU", "3500"}}, {"11"});
  lineObstructionProcedure(f, cell);
  EXPECT_EQ(perEdge(f), (std::vector<Names>{{"LS DASH,2,CHBLK"}}));
}

TEST_F(LineProceduresTest, RunByName) {
  S57Cell cell;
  for (auto [name, first] : {std::pair{"SLCONS03", "LS SOLD,2,CSTLN"}, {"QUAPOS01", "LS SOLD,1,CSTLN"},
                             {"DEPCNT03", "LS SOLD,1,DEPCN"}, {"OBSTRN06", "LS SOLD,2,CHBLK"}}) {
    LineFeature f = line(kShoreline, {}, {nullptr});
    EXPECT_TRUE(runLineProcedure(name, f, cell));
    EXPECT_EQ(describe(f.parts[0].instructions[0]), first) << name;
  }
  LineFeature f = line(kShoreline, {}, {nullptr});
  EXPECT_FALSE(runLineProcedure("LIGHTS05", f, cell));
  EXPECT_EQ(f.parts[0].instructions.size(), 1u);  // untouched
  EXPECT_EQ(f.proceduresRan, 0);
}
