// SLCONS03 in its three forms: lines edge by edge, areas along their
// boundary (edge by edge only where an edge is of low accuracy), points.
#include "ConditionalProcedures.h"
#include "ProcedureFixtures.h"
#include "ShorelineConstruction.h"

using namespace fixtures;

namespace {
constexpr int kShoreline = 122;
using Names = std::vector<std::string>;

// `count` parts of two vertices each, one per QUAPOS value (nullptr: the
// edge has none), along y = `y` from x = 10.
void addParts(std::vector<BoundaryPart>& parts, std::vector<ChartVertex>& vertices, std::vector<const char*> quapos,
              double y) {
  double x = 10;
  for (const char* q : quapos) {
    BoundaryPart part;
    part.offset = static_cast<std::uint32_t>(vertices.size());
    part.count = 2;
    if (q) part.edgeAttributes = {{"401", "3"}, {"402", q}};
    parts.push_back(part);
    vertices.push_back({{x, y}, 1});
    vertices.push_back({{x + 10, y}, 1});
    x += 10;
  }
}

LineFeature line(Attributes attributes, std::vector<const char*> quapos) {
  LineFeature f;
  f.objectClass = kShoreline;
  f.attributes = std::move(attributes);
  addParts(f.parts, f.vertices, std::move(quapos), 50);
  return f;
}

AreaFeature area(Attributes attributes, std::vector<const char*> exterior, std::vector<const char*> interior) {
  AreaFeature f;
  f.objectClass = kShoreline;
  f.attributes = std::move(attributes);
  addParts(f.exteriorParts, f.exteriorVertices, std::move(exterior), 50);
  addParts(f.interiorParts, f.interiorVertices, std::move(interior), 40);
  f.updateBounds();
  return f;
}

// A result holding what an earlier procedure left: each run starts afresh.
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

// The style of a construction by its attributes, edges of low accuracy apart.
struct StyleCase {
  Attributes attributes;
  const char* style;
};
const StyleCase kStyles[] = {
    {{{"CONDTN", "1"}, {"CATSLC", "6"}}, "LS DASH,1,CSTLN"},  // under construction comes first
    {{{"CONDTN", "2"}}, "LS DASH,1,CSTLN"},
    {{{"CATSLC", "15"}, {"WATLEV", "3"}}, "LS SOLD,4,CSTLN"},  // a quay comes before the water level
    {{{"CATSLC", "16"}}, "LS SOLD,4,CSTLN"},
    {{{"WATLEV", "4"}}, "LS DASH,2,CSTLN"},
    {{{"CONDTN", "3"}, {"WATLEV", "2"}}, "LS SOLD,2,CSTLN"},
};
}  // namespace

class ShorelineConstructionTest : public ProcedureTest {};

TEST_F(ShorelineConstructionTest, LinesEdgeByEdge) {
  for (const StyleCase& c : kStyles) {
    ProcedureResult out = leftOver();
    shorelineConstructionProcedure(line(c.attributes, {"4", nullptr, "10", "1", "11", "x"}), out);
    EXPECT_EQ(perEdge(out), (std::vector<Names>{{"LC LOWACC21"}, {c.style}, {c.style}, {c.style}, {c.style},
                                                {"LC LOWACC21"}}))
        << c.style;
    EXPECT_TRUE(out.instructions.empty());
  }
}

// An area draws the same styles along its boundary: as one instruction for
// the whole outline, holes included, while every edge is accurate; edge by
// edge, the exterior first and then the holes, once one is not.
TEST_F(ShorelineConstructionTest, AreasAlongTheirBoundary) {
  for (const StyleCase& c : kStyles) {
    SCOPED_TRACE(c.style);
    ProcedureResult out = leftOver();
    shorelineConstructionProcedure(area(c.attributes, {nullptr, "1"}, {nullptr}), out);
    EXPECT_EQ(describe(out.instructions), Names{c.style});
    EXPECT_TRUE(out.partInstructions.empty());

    shorelineConstructionProcedure(area(c.attributes, {nullptr, "1"}, {"5"}), out);
    EXPECT_TRUE(out.instructions.empty());
    EXPECT_EQ(perEdge(out), (std::vector<Names>{{c.style}, {c.style}, {"LC LOWACC21"}}));
  }
  // The area's own QUAPOS stands for edges without one.
  ProcedureResult out;
  shorelineConstructionProcedure(area({{"QUAPOS", "4"}}, {nullptr, "10"}, {}), out);
  EXPECT_EQ(perEdge(out), (std::vector<Names>{{"LC LOWACC21"}, {"LS SOLD,2,CSTLN"}}));
}

TEST_F(ShorelineConstructionTest, PointsAreMarkedWhereTheirPositionIsOfLowAccuracy) {
  for (auto [quapos, marks] : {std::pair<const char*, Names>{"4", {"LOWACC01"}}, {"1", {}}, {"", {}}}) {
    PointFeature p;
    p.objectClass = kShoreline;
    if (*quapos) p.attributes = {{"QUAPOS", quapos}};
    ProcedureResult out = leftOver();
    shorelineConstructionProcedure(p, out);
    EXPECT_EQ(symbolNames(out.instructions), marks) << quapos;
    EXPECT_TRUE(out.partInstructions.empty());
  }
}

// The look-ups call SLCONS03 for all three kinds.
TEST_F(ShorelineConstructionTest, ProcedureTableServesEveryKind) {
  for (FeatureKind kind : {FeatureKind::Point, FeatureKind::Line, FeatureKind::Area})
    EXPECT_NE(findProcedure("SLCONS03", kind), nullptr) << static_cast<int>(kind);
  EXPECT_EQ(findProcedure("SLCONS03", FeatureKind::Sounding), nullptr);
  S57Cell cell;
  ProcedureResult out;
  findProcedure("SLCONS03", FeatureKind::Area)->run(area({}, {nullptr}, {}), cell, settings(), out);
  EXPECT_EQ(describe(out.instructions), Names{"LS SOLD,2,CSTLN"});
}
