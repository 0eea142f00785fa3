// Whether the M_COVR coverage of cells covers a view: exact answers for
// shapes that join, notch, cross and leave holes, and never "covered" where
// a point of the view lies outside every coverage ring.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "ViewCoverage.h"

namespace {

using Ring = std::vector<ChartPoint>;

// The view: the square from (-10, -10) to (10, 10).
ViewGeometry squareView() {
  ViewGeometry view;
  view.centre = {0, 0};
  view.scale = 1;
  view.viewportWidth = view.viewportHeight = 20;
  updateOrigin(view);
  return view;
}

std::unique_ptr<AreaFeature> coverageArea(const Ring& ring, const char* category = "1") {
  auto area = std::make_unique<AreaFeature>();
  area->objectClass = s57::M_COVR;
  area->attributes.push_back({"CATCOV", category});
  for (const ChartPoint& p : ring) area->exteriorVertices.push_back({p});
  area->updateBounds();
  return area;
}

std::unique_ptr<S57Cell> coveredBy(const std::vector<Ring>& rings) {
  auto cell = std::make_unique<S57Cell>();
  for (const Ring& r : rings) cell->areas.push_back(coverageArea(r));
  return cell;
}

Ring box(double x0, double y0, double x1, double y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

bool covers(const std::vector<std::vector<Ring>>& cells) {
  ViewCoverage coverage;
  coverage.reset(squareView());
  for (const auto& rings : cells) coverage.addCell(*coveredBy(rings));
  return coverage.coversView();
}

// Even-odd inside of a ring.
bool inside(const ChartPoint& p, const Ring& ring) {
  bool in = false;
  for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const ChartPoint &a = ring[i], &b = ring[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

}  // namespace

TEST(ViewCoverage, Shapes) {
  const struct {
    const char* what;
    std::vector<std::vector<Ring>> cells;  // per cell, its coverage rings
    bool covered;
  } cases[] = {
      {"nothing", {}, false},
      {"one box beyond the view", {{box(-20, -20, 20, 20)}}, true},
      {"one box exactly the view", {{box(-10, -10, 10, 10)}}, true},
      {"one box a little short on the right", {{box(-20, -20, 9.999, 20)}}, false},
      {"two cells joined edge to edge", {{box(-20, -20, 0, 20)}, {box(0, -20, 20, 20)}}, true},
      {"two rings of one cell joined", {{box(-20, -20, 20, 0), box(-20, 0, 20, 20)}}, true},
      {"four cells meeting at the centre",
       {{box(-20, -20, 0, 0)}, {box(0, -20, 20, 0)}, {box(-20, 0, 0, 20)}, {box(0, 0, 20, 20)}},
       true},
      {"three of four cells", {{box(-20, -20, 0, 0)}, {box(0, -20, 20, 0)}, {box(-20, 0, 0, 20)}}, false},
      {"a gap between two cells", {{box(-20, -20, 0, 20)}, {box(0.001, -20, 20, 20)}}, false},
      {"two triangles sharing a diagonal",
       {{Ring{{-20, -20}, {20, -20}, {20, 20}}}, {Ring{{-20, -20}, {20, 20}, {-20, 20}}}},
       true},
      {"one triangle of the two", {{Ring{{-20, -20}, {20, -20}, {20, 20}}}}, false},
      {"a notch reaching into the view",
       {{Ring{{-20, -20}, {20, -20}, {20, 20}, {1, 20}, {0, 5}, {-1, 20}, {-20, 20}}}},
       false},
      {"a notch stopping at the view's top edge",
       {{Ring{{-20, -20}, {20, -20}, {20, 20}, {1, 20}, {0, 10}, {-1, 20}, {-20, 20}}}},
       true},
      {"two diamonds crossing, their union holding the view",
       {{Ring{{0, -40}, {40, 0}, {0, 40}, {-40, 0}}}, {Ring{{-25, -25}, {25, -25}, {25, 25}, {-25, 25}}}},
       true},
      {"a bow tie: its crossing leaves the view's sides out",
       {{Ring{{-20, -20}, {20, 20}, {20, -20}, {-20, 20}}}},
       false},
      {"overlapping boxes with a sliver left at the top",
       {{box(-20, -20, 20, 5)}, {box(-20, 4, 20, 9.5)}},
       false},
  };
  for (const auto& c : cases) EXPECT_EQ(covers(c.cells), c.covered) << c.what;
}

TEST(ViewCoverage, ConservativeWhereTheCoverageIsUncertain) {
  const Ring all = box(-20, -20, 20, 20);
  ViewCoverage coverage;
  const ViewGeometry view = squareView();
  auto check = [&](const S57Cell& cell) {
    coverage.reset(view);
    coverage.addCell(cell);
    return coverage.coversView();
  };
  {
    auto cell = coveredBy({all});
    cell->areas.front()->interiorVertices = {{{-1, -1}}, {{1, -1}}, {{1, 1}}};  // a hole
    EXPECT_FALSE(check(*cell)) << "an area with a hole";
  }
  {
    auto cell = coveredBy({all});
    cell->areas.push_back(coverageArea(box(2, 2, 3, 3), "2"));  // no coverage, inside the view
    EXPECT_FALSE(check(*cell)) << "CATCOV 2 in the view";
    cell->areas.back() = coverageArea(box(30, 30, 40, 40), "2");
    EXPECT_TRUE(check(*cell)) << "CATCOV 2 away from the view";
    // The usual ring round the coverage: the cell's box with the coverage
    // as its hole.
    cell->areas.back() = coverageArea(box(-30, -30, 30, 30), "2");
    cell->areas.back()->interiorVertices = cell->areas.front()->exteriorVertices;
    EXPECT_TRUE(check(*cell)) << "a no-data ring round the coverage";
    // A ring that does not surround the coverage may be a gap in it.
    cell->areas.back() = coverageArea(box(-5, -5, 5, 5), "2");
    cell->areas.back()->interiorVertices = coverageArea(box(-1, -1, 1, 1))->exteriorVertices;
    EXPECT_FALSE(check(*cell)) << "a no-data ring inside the coverage";
  }
  {
    auto cell = std::make_unique<S57Cell>();
    cell->areas.push_back(coverageArea(all, "3"));
    EXPECT_FALSE(check(*cell)) << "a CATCOV other than 1";
    cell->areas.front()->objectClass = s57::M_NSYS;
    cell->areas.front()->attributes.clear();
    EXPECT_FALSE(check(*cell)) << "not an M_COVR area";
  }
  {
    auto cell = coveredBy({Ring{{-20, -20}, {1e300, -20}, {20, 20}, {-20, 20}}});
    EXPECT_FALSE(check(*cell)) << "a vertex far beyond the Earth";
  }
  ViewGeometry empty = view;
  empty.viewportWidth = 0;
  updateOrigin(empty);
  coverage.reset(empty);
  coverage.addCell(*coveredBy({all}));
  EXPECT_FALSE(coverage.coversView()) << "a view without area";
}

// A quadrilateral about the view, its corners jittered.
Ring jitteredBox(std::mt19937& random) {
  std::uniform_real_distribution<double> jitter(-9, 9);
  Ring ring;
  for (const ChartPoint c : {ChartPoint{-15, -15}, ChartPoint{15, -15}, ChartPoint{15, 15}, ChartPoint{-15, 15}})
    ring.push_back({c.x + jitter(random), c.y + jitter(random)});
  return ring;
}

// The two pieces of a quadrilateral cut by the line between a point of its
// first edge and a point of its third: they share the cut's coordinates.
std::vector<Ring> cut(const Ring& q, std::mt19937& random) {
  std::uniform_real_distribution<double> t(0.05, 0.95);
  auto along = [](const ChartPoint& a, const ChartPoint& b, double f) {
    return ChartPoint{a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
  };
  const ChartPoint p = along(q[0], q[1], t(random)), r = along(q[2], q[3], t(random));
  return {Ring{q[0], p, r, q[3]}, Ring{p, q[1], q[2], r}};
}

bool convexAndHoldsTheView(const Ring& q) {
  for (size_t i = 0; i < 4; ++i) {
    const ChartPoint &a = q[i], &b = q[(i + 1) % 4];
    for (const ChartPoint c : {ChartPoint{-10, -10}, ChartPoint{10, -10}, ChartPoint{10, 10}, ChartPoint{-10, 10},
                               q[(i + 2) % 4], q[(i + 3) % 4]})
      if ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x) <= 0) return false;
  }
  return true;
}

// Random quadrilaterals about the view, some cut in two along a slanted
// line, some with one more quadrilateral crossing them: "covered" exactly
// when a convex one holds the view, and never with a point of a fine grid
// over the view outside every ring.
TEST(ViewCoverage, RandomShapes) {
  std::mt19937 random(11);
  int coveredSets = 0, uncoveredSets = 0;
  for (int set = 0; set < 2000; ++set) {
    const Ring q = jitteredBox(random);
    std::vector<Ring> rings = set % 2 ? cut(q, random) : std::vector<Ring>{q};
    if (set % 3 == 0) rings.push_back(jitteredBox(random));
    const bool covered = covers({rings});
    if (rings.size() <= 2 && convexAndHoldsTheView(q)) {
      ASSERT_TRUE(covered) << "set " << set;
    }
    (covered ? coveredSets : uncoveredSets)++;
    if (!covered) continue;
    for (double y = -10; y < 10; y += 0.25)
      for (double x = -10; x < 10; x += 0.25) {
        const ChartPoint p{x + 0.01, y + 0.01};  // off the grid of coordinates the rings may share
        bool in = false;
        for (const Ring& ring : rings) in = in || inside(p, ring);
        ASSERT_TRUE(in) << "set " << set << " leaves " << p.x << "," << p.y << " uncovered";
      }
  }
  // Both answers were tested.
  EXPECT_GT(coveredSets, 100);
  EXPECT_GT(uncoveredSets, 100);
}
