// Cell finishing on hand-built cells: extents, centring, light lists, draw
// order and the point-in-area test.
#include <gtest/gtest.h>

#include <cmath>

#include "CellBuilder.h"
#include "CellFinishing.h"
#include "ChartView.h"
#include "TrueScale.h"

namespace {
constexpr int kExtentClass = 306;  // M_NSYS
constexpr int kDepthArea = 42;
constexpr int kLight = 75;

std::vector<ChartVertex> ring(std::initializer_list<ChartPoint> points) {
  std::vector<ChartVertex> r;
  for (const ChartPoint& p : points) r.push_back({p, 1});
  return r;
}

std::vector<ChartVertex> square(double minX, double minY, double maxX, double maxY) {
  return ring({{minX, minY}, {maxX, minY}, {maxX, maxY}, {minX, maxY}});
}

AreaFeature& addArea(S57Cell& cell, int objectClass, std::vector<ChartVertex> exterior, int priority = 0,
                     std::string drval1 = "") {
  auto a = std::make_unique<AreaFeature>();
  a->objectClass = objectClass;
  a->display.priority = priority;
  if (!drval1.empty()) a->attributes.push_back({"DRVAL1", drval1});
  a->exteriorVertices = std::move(exterior);
  a->updateBounds();
  cell.areas.push_back(std::move(a));
  return *cell.areas.back();
}

template <typename Feature>
Feature& add(std::vector<std::unique_ptr<Feature>>& list, int objectClass, int priority) {
  list.push_back(std::make_unique<Feature>());
  list.back()->objectClass = objectClass;
  list.back()->display.priority = priority;
  return *list.back();
}

std::vector<std::string> drval1Order(const S57Cell& cell) {
  std::vector<std::string> order;
  for (const auto& a : cell.areas) order.push_back(a->findAttribute("DRVAL1"));
  return order;
}
}  // namespace

// The extent holds everything the cell holds, whatever the meta areas say:
// a small M_NSYS (one harbour's system of marks) bounds nothing.
TEST(CellFinishing, TheExtentHoldsAllTheGeometryOfTheCell) {
  S57Cell cell;
  addArea(cell, kExtentClass, square(0, 0, 10, 20));
  addArea(cell, 30, square(-100, -50, 100, 50));
  addArea(cell, 30, {});  // no exterior vertices: bounds nothing
  auto& line = add(cell.lines, 30, 0);
  line.vertices = {{{-300, 0}, 0}, {{-200, 10}, 0}};
  add(cell.points, kLight, 0).position.point = {0, 400};
  auto& soundings = add(cell.soundings, 129, 0);
  soundings.soundings = {{50, -70, 3.0f}, {NAN, 900, 1.0f}};  // a position that is no number bounds nothing
  computeExtents(cell);
  ASSERT_EQ(cell.extents.size(), 1u);
  const ChartBox& b = cell.extents[0];
  EXPECT_EQ(b.minX, -300);
  EXPECT_EQ(b.minY, -70);
  EXPECT_EQ(b.maxX, 100);
  EXPECT_EQ(b.maxY, 400);
  EXPECT_EQ(cell.boundingBox.minX, -300);
  EXPECT_EQ(cell.boundingBox.maxY, 400);
  EXPECT_EQ(cell.centreX, -100);
  EXPECT_EQ(cell.centreY, 165);

  S57Cell empty;
  addArea(empty, 30, {});
  computeExtents(empty);
  EXPECT_TRUE(empty.extents.empty());
}

TEST(CellFinishing, CentringMovesOnlyTheViewPassedWithACellThatHasExtents) {
  S57Cell cell;
  cell.compilationScale = 22000;
  addArea(cell, kExtentClass, square(1000, 2000, 3000, 6000));
  ChartView view;
  finishCell(cell, &view);
  EXPECT_EQ(view.centre.x, 2000);
  EXPECT_EQ(view.centre.y, 4000);
  EXPECT_EQ(trueScale(view), 22000);  // the compilation scale, as the true scale at the centre

  // A cell without geometry has nothing to centre on: the view stays.
  S57Cell nothing;
  nothing.compilationScale = 50000;
  finishCell(nothing, &view);
  EXPECT_TRUE(nothing.extents.empty());
  EXPECT_EQ(view.centre.x, 2000);
  EXPECT_EQ(trueScale(view), 22000);

  // A cell of points alone is centred on its points.
  S57Cell points;
  points.compilationScale = 50000;
  add(points.points, kLight, 0).position.point = {100, 200};
  add(points.points, kLight, 0).position.point = {300, 400};
  finishCell(points, &view);
  EXPECT_EQ(view.centre.x, 200);
  EXPECT_EQ(view.centre.y, 300);
  EXPECT_EQ(trueScale(view), 50000);
}

TEST(CellFinishing, NonSectorLights) {
  struct Case {
    const char *sectr1, *sectr2;
    bool nonSector;
  } cases[] = {
      {nullptr, nullptr, true}, {"45", nullptr, true},  {nullptr, "90", true},       {"10", "10", true},
      {"0.00", "360.00", true}, {"360.00", "0.00", true}, {"0.00", "360.0", false}, {"45", "90", false},
      {"", "90", true},
  };
  for (const Case& c : cases) {
    PointFeature light;
    if (c.sectr1) light.attributes.push_back({"SECTR1", c.sectr1});
    if (c.sectr2) light.attributes.push_back({"SECTR2", c.sectr2});
    EXPECT_EQ(isNonSectorLight(light), c.nonSector)
        << (c.sectr1 ? c.sectr1 : "-") << " " << (c.sectr2 ? c.sectr2 : "-");
  }
}

TEST(CellFinishing, LightListsKeepFileOrderWhilePointsAreSorted) {
  S57Cell cell;
  PointFeature& sector = add(cell.points, kLight, 8);
  sector.attributes = {{"SECTR1", "45"}, {"SECTR2", "90"}};
  add(cell.points, 12, 1);
  PointFeature& allRound = add(cell.points, kLight, 2);
  finishCell(cell, nullptr);
  EXPECT_EQ(cell.lights, (std::vector<PointFeature*>{&sector, &allRound}));
  EXPECT_EQ(cell.nonSectorLights, (std::vector<PointFeature*>{&allRound}));
  ASSERT_EQ(cell.points.size(), 3u);
  EXPECT_EQ(cell.points[0]->display.priority, 1);
  EXPECT_EQ(cell.points[2].get(), &sector);
}

TEST(CellFinishing, AreasAndLinesSortByPriorityThenClassUpToTheLastRun) {
  S57Cell cell;
  for (auto [cls, prio] : {std::pair{30, 5}, {20, 5}, {50, 1}, {10, 9}, {5, 9}}) {
    addArea(cell, cls, square(0, 0, 1, 1), prio);
    add(cell.lines, cls, prio);
  }
  orderFeatures(cell);
  const std::vector<int> expected = {50, 20, 30, 5, 10};
  std::vector<int> areas, lines;
  for (const auto& a : cell.areas) areas.push_back(a->objectClass);
  for (const auto& l : cell.lines) lines.push_back(l->objectClass);
  EXPECT_EQ(areas, expected);
  EXPECT_EQ(lines, expected);
}

TEST(CellFinishing, DepthAreasPaintDeepestFirstAndNestedOnesOverTheirContainer) {
  {  // no nesting: by depth, deepest first
    S57Cell cell;
    addArea(cell, kDepthArea, square(0, 0, 10, 10), 1, "5");
    addArea(cell, kDepthArea, square(20, 0, 30, 10), 1, "20");
    addArea(cell, kDepthArea, square(40, 0, 50, 10), 1, "10");
    orderFeatures(cell);
    EXPECT_EQ(drval1Order(cell), (std::vector<std::string>{"20", "10", "5"}));
  }
  {  // B (10 m) inside A (0 m): keyed just above A, painted after it
    S57Cell cell;
    addArea(cell, kDepthArea, square(40, 40, 60, 60), 1, "10");
    addArea(cell, kDepthArea, square(0, 0, 100, 100), 1, "0");
    orderFeatures(cell);
    EXPECT_EQ(drval1Order(cell), (std::vector<std::string>{"0", "10"}));
    EXPECT_FLOAT_EQ(cell.areas[1]->depthOrderKey, -0.1f);
  }
  {  // the depth run sits between other classes; the rest stay put
    S57Cell cell;
    addArea(cell, 71, square(0, 0, 1, 1), 1);
    addArea(cell, kDepthArea, square(0, 0, 10, 10), 1, "2");
    addArea(cell, kDepthArea, square(0, 0, 10, 10), 1, "junk");  // non-numeric: key 0
    addArea(cell, kDepthArea, square(20, 0, 30, 10), 1, "30");
    addArea(cell, 30, square(0, 0, 1, 1), 1);
    orderFeatures(cell);
    EXPECT_EQ(drval1Order(cell), (std::vector<std::string>{"", "30", "2", "junk", ""}));
    EXPECT_EQ(cell.areas.front()->objectClass, 30);
    EXPECT_EQ(cell.areas.back()->objectClass, 71);
  }
}

TEST(CellFinishing, PointInAreaIsEvenOddOverTheExteriorRing) {
  // A U shape open to the north: the notch x 4..6, y 2..10 is outside.
  AreaFeature u;
  u.exteriorVertices = ring({{0, 0}, {10, 0}, {10, 10}, {6, 10}, {6, 2}, {4, 2}, {4, 10}, {0, 10}});
  u.updateBounds();
  struct Case {
    ChartPoint p;
    bool inside;
  } cases[] = {
      {{2, 5}, true},   {{8, 5}, true},    {{5, 5}, false},  // the notch
      {{5, 1}, true},   {{11, 5}, false},  {{5, -1}, false},  // outside the bounds
      {{0, 5}, true},                                       // west edge: the ray meets the east edge
      {{10, 5}, false},                                     // east edge: no crossing beyond
  };
  for (const Case& c : cases) EXPECT_EQ(pointInArea(c.p, u), c.inside) << c.p.x << "," << c.p.y;

  AreaFeature empty;
  empty.updateBounds();
  EXPECT_FALSE(pointInArea({0, 0}, empty));
}
