// Geometry assembly on synthetic cells.
#include <gtest/gtest.h>

#include "CellFixtures.h"
#include "GeometryAssembly.h"
#include "S57CellReader.h"

using namespace s57write;

namespace {
Coordinate A{470000000, -1220000000}, B{470100000, -1219000000}, P1{470020000, -1219800000},
    P2{470050000, -1219500000}, C{470200000, -1220000000};

// The chart position of a cell coordinate, by the plain degree projection.
ChartPoint chart(Coordinate c) { return geoToChart({c.y / 1e7, c.x / 1e7}); }

std::vector<ChartPoint> points(const std::vector<ChartVertex>& vertices, size_t from = 0, size_t count = ~0u) {
  std::vector<ChartPoint> out;
  for (size_t i = from; i < vertices.size() && i - from < count; ++i) out.push_back(vertices[i].point);
  return out;
}

std::vector<ChartPoint> chart(std::initializer_list<Coordinate> list) {
  std::vector<ChartPoint> out;
  for (Coordinate c : list) out.push_back(chart(c));
  return out;
}

std::vector<int> usages(const std::vector<ChartVertex>& vertices) {
  std::vector<int> out;
  for (const ChartVertex& v : vertices) out.push_back(v.usage);
  return out;
}

Feature feature(int64_t rcid, int prim, int objl, std::vector<SpatialPointer> pointers) {
  Feature f;
  f.rcid = f.fidn = rcid;
  f.prim = prim;
  f.objl = objl;
  f.spatialPointers = std::move(pointers);
  return f;
}

SpatialPointer edge(int64_t rcid, int ornt, int usag = 255, int mask = 255) { return {kEdge, rcid, ornt, usag, mask}; }
SpatialPointer node(int64_t rcid) { return {kIsolatedNode, rcid, 255, 255, 255}; }

// Reads the writer's image and assembles it with the fixture catalogue.
std::unique_ptr<S57Cell> assemble(const S57Writer& w) {
  S57CellReader reader;
  EXPECT_EQ(reader.readCellBytes(w.image()), ReaderResult::Ok);
  auto cell = std::make_unique<S57Cell>();
  cell->name = reader.dataSetIdentification.DSNM;
  cell->coordinateFactor = reader.dataSetParameters.COMF;
  cell->soundingFactor = reader.dataSetParameters.SOMF;
  assembleFeatures(reader, *cell, fixtures::attributeCatalogue());
  return cell;
}
}  // namespace

bool operator==(const ChartPoint& a, const ChartPoint& b) { return a.x == b.x && a.y == b.y; }
std::ostream& operator<<(std::ostream& os, const ChartPoint& p) { return os << "(" << p.x << "," << p.y << ")"; }

TEST(Assembly, LineEdgesRunBetweenTheirNodesAndReverseWithOrientation) {
  S57Writer w;
  w.addDataSet();
  w.addConnectedNode(1, A).addConnectedNode(2, B).addConnectedNode(3, C);
  Vector e10;
  e10.rcnm = kEdge;
  e10.rcid = 10;
  e10.pointers = {{kConnectedNode, 1, 255, 255, 1, 255}, {kConnectedNode, 2, 255, 255, 2, 255}};
  e10.coordinates2D = {P1, P2};
  e10.attributes = {{402, "edge value"}};
  w.addVector(e10);
  w.addEdge(11, 2, 3, {});
  w.addFeature(feature(1, 2, 43, {edge(10, 1)}));
  w.addFeature(feature(2, 2, 43, {edge(10, 2)}));
  w.addFeature(feature(3, 2, 43, {edge(10, 1), edge(99, 1), edge(11, 2)}));  // edge 99 is missing
  w.addFeature(feature(4, 2, 43, {edge(98, 1)}));                            // nothing found: still a line

  const auto cell = assemble(w);
  ASSERT_EQ(cell->lines.size(), 4u);
  const LineFeature& forward = *cell->lines[0];
  EXPECT_EQ(points(forward.vertices), chart({A, P1, P2, B}));
  EXPECT_EQ(usages(forward.vertices), std::vector<int>(4, 0));
  ASSERT_EQ(forward.parts.size(), 1u);
  EXPECT_EQ(forward.parts[0].count, 4u);
  EXPECT_EQ(forward.parts[0].edgeName, recordName(kEdge, 10));
  ASSERT_EQ(forward.parts[0].edgeAttributes.size(), 1u);
  EXPECT_EQ(forward.parts[0].edgeAttributes[0].code, "402");
  EXPECT_EQ(forward.parts[0].edgeAttributes[0].value, "edge value");

  EXPECT_EQ(points(cell->lines[1]->vertices), chart({B, P2, P1, A}));

  const LineFeature& two = *cell->lines[2];
  ASSERT_EQ(two.parts.size(), 2u);
  EXPECT_EQ(two.parts[1].offset, 4u);
  EXPECT_EQ(two.parts[1].count, 2u);
  EXPECT_EQ(points(two.vertices, 4), chart({C, B}));

  EXPECT_TRUE(cell->lines[3]->vertices.empty());
  EXPECT_TRUE(cell->lines[3]->parts.empty());
}

TEST(Assembly, AreaBoundariesKeepSharedNodesAndSortByUsage) {
  S57Writer w;
  w.addDataSet();
  w.addConnectedNode(1, A).addConnectedNode(2, B).addConnectedNode(3, C);
  w.addEdge(10, 1, 2, {P1}).addEdge(11, 2, 3, {}).addEdge(12, 3, 1, {});
  w.addEdge(13, 1, 3, {P2});
  w.addFeature(feature(1, 3, 42,
                       {edge(10, 1, 1), edge(11, 1, 1), edge(12, 1, 1),  // exterior ring
                        edge(13, 2, 2),                                   // interior, reversed
                        edge(13, 1, 4),                                   // usage 4: dropped
                        edge(13, 1, 1, 0),                                // mask 0: skipped
                        edge(11, 1, 3), edge(12, 1, 255)}));              // truncated and null: exterior

  const auto cell = assemble(w);
  ASSERT_EQ(cell->areas.size(), 1u);
  const AreaFeature& a = *cell->areas[0];
  EXPECT_EQ(points(a.exteriorVertices, 0, 7), chart({A, P1, B, B, C, C, A}));
  EXPECT_EQ(points(a.exteriorVertices, 7), chart({B, C, C, A}));
  EXPECT_EQ(usages(a.exteriorVertices), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 3, 3, 255, 255}));
  ASSERT_EQ(a.exteriorParts.size(), 5u);
  EXPECT_EQ(a.exteriorParts[2].offset, 5u);
  EXPECT_EQ(a.exteriorParts[2].edgeName, recordName(kEdge, 12));
  EXPECT_EQ(points(a.interiorVertices), chart({C, P2, A}));
  EXPECT_EQ(usages(a.interiorVertices), std::vector<int>(3, 2));
  ASSERT_EQ(a.interiorParts.size(), 1u);
  ASSERT_EQ(a.holes.size(), 1u);  // the hole's edge, unclosed, is its one ring
  EXPECT_EQ(a.holes[0].offset, 0u);
  EXPECT_EQ(a.holes[0].count, 3u);
  EXPECT_TRUE(a.hasBounds);
  EXPECT_EQ(a.bounds.minX, chart(A).x);
  EXPECT_EQ(a.bounds.maxY, chart(C).y);
}

// The interior vertices split into the rings of the holes once, where each
// ring comes back to its first vertex; what is left at the end is one more
// ring, and a ring of fewer than three vertices is none.
TEST(Assembly, HolesAreTheRingsTheInteriorVerticesCloseInto) {
  const ChartPoint a{0, 0}, b{10, 0}, c{10, 10}, d{0, 10}, e{50, 50}, f{60, 50}, g{60, 60};
  struct Case {
    const char* what;
    std::vector<ChartPoint> vertices;
    std::vector<std::pair<unsigned, unsigned>> rings;  // offset, count
  } cases[] = {
      {"none", {}, {}},
      {"one closed ring", {a, b, c, d, a}, {{0, 5}}},
      {"two rings back to back", {a, b, c, a, e, f, g, e}, {{0, 4}, {4, 4}}},
      {"a ring that never closes", {a, b, c, d}, {{0, 4}}},
      {"a ring, then two vertices left over", {a, b, c, a, e, f}, {{0, 4}}},
      {"the first vertex repeated at once does not close it", {a, a, b, a, c}, {{0, 4}}},
      {"edges that meet at their shared node", {a, b, b, c, c, a, e, f, f, g, g, e}, {{0, 6}, {6, 6}}},
  };
  for (const Case& k : cases) {
    AreaFeature area;
    for (const ChartPoint& p : k.vertices) area.interiorVertices.push_back(ChartVertex{p, 2});
    area.holes = {VertexRun{7, 7}};  // stale rings are replaced
    area.findHoles();
    std::vector<std::pair<unsigned, unsigned>> rings;
    for (const VertexRun& r : area.holes) rings.emplace_back(r.offset, r.count);
    EXPECT_EQ(rings, k.rings) << k.what;
  }
}

TEST(Assembly, PointNodesGivePointsSoundingsOrBoth) {
  S57Writer w;
  Parameters p;
  p.somf = 10;
  w.addDataSet(DataSet(), p);
  w.addIsolatedNode(1, A);
  w.addSoundingNode(2, {{A.y, A.x, 1234}, {B.y, B.x, -25}});
  Vector both;
  both.rcid = 3;
  both.coordinates2D = {C};
  both.coordinates3D = {{C.y, C.x, 50}};
  w.addVector(both);
  w.addFeature(feature(1, 1, 75, {node(1), node(2)}));  // only the first pointer counts
  w.addFeature(feature(2, 1, 129, {node(2)}));
  w.addFeature(feature(3, 1, 129, {node(3)}));
  w.addFeature(feature(4, 1, 75, {}));          // no pointer
  w.addFeature(feature(5, 1, 75, {node(9)}));   // missing node
  w.addFeature(feature(6, 255, 0, {node(1)}));  // no geometry

  const auto cell = assemble(w);
  ASSERT_EQ(cell->points.size(), 2u);
  EXPECT_EQ(cell->points[0]->objectClass, 75);
  EXPECT_EQ(cell->points[0]->position.point, chart(A));
  EXPECT_EQ(cell->points[1]->position.point, chart(C));
  ASSERT_EQ(cell->soundings.size(), 2u);
  const auto& s = cell->soundings[0]->soundings;
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].depth, 123.4f);
  EXPECT_EQ(s[1].depth, -2.5f);
  EXPECT_EQ((ChartPoint{s[1].x, s[1].y}), chart(B));
  EXPECT_EQ(cell->soundings[1]->soundings.at(0).depth, 5.0f);
  EXPECT_TRUE(cell->lines.empty());
  EXPECT_TRUE(cell->areas.empty());
}

TEST(Assembly, AttributesByCatalogueAndScaleLimitsByCode) {
  S57Writer w;
  w.addDataSet();
  w.addIsolatedNode(1, A);
  Feature f = feature(1, 1, 75, {node(1)});
  using fixtures::kNOBJNM;
  f.attributes = {{fixtures::kOBJNAM, "Alki"}, {fixtures::kSCAMIN, "50000"}, {999, "x"},
                  {fixtures::kSCAMAX, " 7000m"}};
  f.nationalAttributes = {{kNOBJNM, u"\u6D77\u5CB8"}, {fixtures::kSCAMIN, u"12"}};
  w.addFeature(f);
  Feature plain = feature(2, 1, 75, {node(1)});
  w.addFeature(plain);

  const auto cell = assemble(w);
  const PointFeature& p = *cell->points.at(0);
  // SCAMIN is not catalogued: it still sets the limit from ATTF, but neither
  // appears among the attributes nor is read from NATF.
  EXPECT_EQ(p.scaleMinimum, 50000);
  EXPECT_EQ(p.scaleMaximum, 7000);
  ASSERT_EQ(p.attributes.size(), 3u);
  EXPECT_EQ(p.attributes[0].acronym, "OBJNAM");
  EXPECT_EQ(p.attributes[1].acronym, "SCAMAX");
  EXPECT_EQ(p.attributes[1].value, " 7000m");
  EXPECT_EQ(p.attributes[2].acronym, "NOBJNM");
  EXPECT_EQ(p.findAttribute("NOBJNM"), "\xE6\xB5\xB7\xE5\xB2\xB8");
  EXPECT_EQ(p.findAttribute("CATLIT"), "");

  const PointFeature& q = *cell->points.at(1);
  EXPECT_EQ(q.scaleMinimum, -1);
  EXPECT_EQ(q.scaleMaximum, -1);
  EXPECT_TRUE(q.attributes.empty());
}

// A cell whose edges cross the 180th meridian keeps its western longitudes
// one turn east, so that it is continuous in chart units; any other keeps
// the plain projection, whatever its name.
TEST(Assembly, ACellAcrossTheAntimeridianComesOutInOnePiece) {
  struct Case {
    const char* what;
    std::vector<double> ring;  // longitudes of the area's corners, at 1N and 1S in turn
    bool crosses;
  } cases[] = {
      {"177 to 177W, the short way across 180", {177, 177, -177, -177}, true},
      {"near 180 without crossing it", {170, 170, 179.9, 179.9}, false},
      {"across 0 only", {-3, -3, 3, 3}, false},
      {"round the world: across 0 as well as 180", {-120, 0, 120, 120}, false},
      {"from 180W to 180E along the parallels: the world's width", {-180, -180, 180, 180}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    S57Writer w;
    DataSet d;
    d.dsnm = "WORLD10.000";  // no name is treated apart
    w.addDataSet(d);
    std::vector<Coordinate> corners;
    for (size_t i = 0; i < c.ring.size(); ++i)
      corners.push_back({(i % 4 == 0 || i % 4 == 3) ? 10000000 : -10000000, static_cast<int32_t>(c.ring[i] * 1e7)});
    // Node 1 at the first corner, one edge round the rest and back.
    w.addConnectedNode(1, corners[0]);
    w.addEdge(10, 1, 1, std::vector<Coordinate>(corners.begin() + 1, corners.end()));
    w.addIsolatedNode(2, {0, -1780000000});
    w.addFeature(feature(1, 3, 42, {edge(10, 1, 1)}));
    w.addFeature(feature(2, 1, 75, {node(2)}));
    const auto cell = assemble(w);
    EXPECT_EQ(cell->crossesAntimeridian, c.crosses);
    ASSERT_EQ(cell->areas.size(), 1u);
    const std::vector<ChartVertex>& ring = cell->areas[0]->exteriorVertices;
    ASSERT_EQ(ring.size(), c.ring.size() + 1);
    for (size_t i = 0; i < c.ring.size(); ++i) {
      const double west = c.crosses && c.ring[i] < 0 ? 360 : 0;
      EXPECT_NEAR(ring[i].point.x, geoToChart({0, c.ring[i] + west}).x, 1e-3) << i;
    }
    const double pointWest = c.crosses ? 360 : 0;
    EXPECT_NEAR(cell->points.at(0)->position.point.x, geoToChart({0, -178 + pointWest}).x, 1e-3);
  }
}
