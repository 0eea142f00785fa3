// The line procedures, edge by edge.
#include "ConditionalProcedures.h"
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
    f.parts.push_back(part);
    f.vertices.push_back({{x, 50}, 0});
    f.vertices.push_back({{x + 10, 50}, 0});
    x += 10;
  }
  return f;
}

// A result holding what an earlier procedure left: each procedure starts
// its lists afresh.
ProcedureResult leftOver() {
  ProcedureResult out;
  out.instructions.push_back(Instruction{});
  out.partInstructions.resize(7, std::vector<Instruction>(1));
  return out;
}

std::vector<Names> perEdge(const ProcedureResult& result) {
  std::vector<Names> out;
  for (const std::vector<Instruction>& edge : result.partInstructions) out.push_back(symbolNames(edge));
  return out;
}
}  // namespace

class LineProceduresTest : public ProcedureTest {};

TEST_F(LineProceduresTest, QualityOfPosition) {
  ProcedureResult out = leftOver();
  lineQualityProcedure(line(kCoastline, {{"CONRAD", "1"}}, {nullptr, "5", "10"}), out);
  EXPECT_EQ(perEdge(out), (std::vector<Names>{{"LS SOLD,3,CHMGF", "LS SOLD,1,CSTLN"},
                                              {"LC LOWACC21"},
                                              {"LS SOLD,3,CHMGF", "LS SOLD,1,CSTLN"}}));

  lineQualityProcedure(line(kCoastline, {{"CONRAD", "3"}}, {nullptr}), out);
  EXPECT_EQ(perEdge(out), (std::vector<Names>{{"LS SOLD,1,CSTLN"}}));

  lineQualityProcedure(line(kShoreline, {{"CONRAD", "1"}}, {nullptr, "5"}), out);
  EXPECT_EQ(perEdge(out), (std::vector<Names>{{"LS SOLD,1,CSTLN"}, {"LC LOWACC21"}}));

  // A coastline whose own QUAPOS is of low accuracy: every edge without a
  // QUAPOS of its own takes it.
  lineQualityProcedure(line(kCoastline, {{"QUAPOS", "4"}}, {nullptr, "1"}), out);
  EXPECT_EQ(perEdge(out), (std::vector<Names>{{"LC LOWACC21"}, {"LS SOLD,1,CSTLN"}}));
}

TEST_F(LineProceduresTest, DepthContourEdgesAndLabels) {
  ProcedureResult out = leftOver();
  const S57Cell cell;
  depthContourProcedure(line(kDepthContour, {{"VALDCO", "5.5"}}, {"10", "5", nullptr}), cell, settings(), out);
  const Names label = {"SAFCON05", "SAFCON65"};
  auto with = [&](const char* style) {
    Names n = {style};
    n.insert(n.end(), label.begin(), label.end());
    return n;
  };
  EXPECT_EQ(perEdge(out),
            (std::vector<Names>{with("LS SOLD,1,DEPCN"), with("LS DASH,1,DEPCN"), with("LS SOLD,1,DEPCN")}));

  settings().contourLabels = false;
  depthContourProcedure(line(kDepthContour, {}, {"4"}), cell, settings(), out);
  EXPECT_EQ(perEdge(out), (std::vector<Names>{{"LS DASH,1,DEPCN"}}));
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
    ProcedureResult out = leftOver();
    lineObstructionProcedure(f, cell, settings(), out);
    std::vector<Names> expected;
    for (const std::string& e : c.edges) expected.push_back({e});
    EXPECT_EQ(perEdge(out), expected) << testing::PrintToString(c.edges);
    EXPECT_EQ(symbolNames(out.instructions), c.danger ? Names{"ISODGR01"} : Names{});
    EXPECT_EQ(out.display.radarFlag == 'O', c.danger);
  }
}

TEST_F(LineProceduresTest, ObstructionStyleWhenAHighAccuracyEdgeIsNotDangerous) {
  // A 3500 m obstruction in 20 m of water is deeper than the safety contour:
  // not dangerous, so a QUAPOS 1 edge follows the style rule (dashed).
  S57Cell cell;
  addArea(cell, kDepthArea, 0, 0, 100, 100, {{"DRVAL1", "20"}});
  ProcedureResult out;
  lineObstructionProcedure(line(kObstruction, {{"VALSOU", "3500"}}, {"11"}), cell, settings(), out);
  EXPECT_EQ(perEdge(out), (std::vector<Names>{{"LS DASH,2,CHBLK"}}));
}

// The procedure table knows each line procedure by name and runs it; a
// procedure of another kind is not found for lines.
TEST_F(LineProceduresTest, ProcedureTableServesLines) {
  S57Cell cell;
  for (auto [name, first] : {std::pair{"SLCONS03", "LS SOLD,2,CSTLN"}, {"QUAPOS01", "LS SOLD,1,CSTLN"},
                             {"DEPCNT03", "LS SOLD,1,DEPCN"}, {"OBSTRN06", "LS SOLD,2,CHBLK"}}) {
    const ConditionalProcedure* procedure = findProcedure(name, FeatureKind::Line);
    ASSERT_NE(procedure, nullptr) << name;
    ProcedureResult out;
    procedure->run(line(kShoreline, {}, {nullptr}), cell, settings(), out);
    ASSERT_EQ(out.partInstructions.size(), 1u) << name;
    EXPECT_EQ(describe(out.partInstructions[0][0]), first) << name;
  }
  EXPECT_EQ(findProcedure("LIGHTS05", FeatureKind::Line), nullptr);
  EXPECT_EQ(findProcedure("DEPARE02", FeatureKind::Line), nullptr);
  EXPECT_NE(findProcedure("DEPARE02", FeatureKind::Area), nullptr);
}
