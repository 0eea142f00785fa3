// Cell choice through the index over the cell extents: the same cells in the
// same order as the scan of every cell, over the layout of a generated
// portfolio and over awkward extents.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>

#include "CellChoice.h"
#include "CellIndex.h"
#include "MercatorProjection.h"
#include "PortfolioPlan.h"

namespace {

ViewGeometry viewAt(ChartPoint centre, float scale, int width = 862 * 23, int height = 686 * 23) {
  ViewGeometry view;
  view.centre = centre;
  view.scale = scale;
  view.viewportWidth = width;
  view.viewportHeight = height;
  updateOrigin(view);
  return view;
}

struct Cells {
  std::vector<std::unique_ptr<S57Cell>> owned;
  std::vector<S57Cell*> list;

  S57Cell& add(std::string name, int scale, std::vector<ChartBox> extents) {
    owned.push_back(std::make_unique<S57Cell>());
    S57Cell& cell = *owned.back();
    cell.name = std::move(name);
    cell.compilationScale = scale;
    cell.extents = std::move(extents);
    list.push_back(&cell);
    return cell;
  }
};

// The cells of a planned portfolio with the extents loading gives them.
Cells portfolioCells(int count) {
  Cells cells;
  const double unit = 1.0 / static_cast<double>(portfolio::kUnitsPerDegree);
  for (const portfolio::PlannedCell& p : portfolio::planPortfolio(count)) {
    const ChartPoint sw = geoToChart({p.south * unit, p.west * unit});
    const ChartPoint ne = geoToChart({p.north * unit, p.east * unit});
    cells.add(p.name, portfolio::bandInfo(p.band).compilationScale, {{sw.x, sw.y, ne.x, ne.y}});
  }
  return cells;
}

std::vector<S57Cell*> scanned(const Cells& cells, const ViewGeometry& view) {
  std::vector<S57Cell*> out;
  chooseCandidates(cells.list, view, out);
  return out;
}

std::vector<S57Cell*> indexed(const CellIndex& index, const ViewGeometry& view) {
  std::vector<std::uint32_t> positions;
  std::vector<S57Cell*> out;
  chooseCandidates(index, view, positions, out);
  return out;
}

}  // namespace

TEST(CellIndex, PortfolioViewsChooseWhatTheScanChooses) {
  const Cells cells = portfolioCells(1000);
  const CellIndex index(cells.list);
  ASSERT_EQ(index.cells(), cells.list);

  // Views centred on every cell corner and centre at each band's scale and
  // at a world view, and views scattered over and around the portfolio.
  std::vector<ViewGeometry> views;
  for (const S57Cell* cell : cells.list) {
    const ChartBox& b = cell->extents.front();
    for (const ChartPoint at : {ChartPoint{b.minX, b.minY}, ChartPoint{b.maxX, b.maxY},
                                ChartPoint{(b.minX + b.maxX) / 2, (b.minY + b.maxY) / 2}})
      for (const float scale : {3000.0f, 20000.0f, 60000.0f, 180000.0f, 540000.0f, 5e6f, 1e9f})
        views.push_back(viewAt(at, scale));
  }
  std::mt19937 random(7);
  const ChartPoint sw = geoToChart({19, 122}), ne = geoToChart({40, 135});
  std::uniform_real_distribution<double> x(sw.x, ne.x), y(sw.y, ne.y);
  std::uniform_real_distribution<float> logScale(3, 7);
  for (int i = 0; i < 2000; ++i) views.push_back(viewAt({x(random), y(random)}, std::pow(10.0f, logScale(random))));

  size_t found = 0;
  for (const ViewGeometry& view : views) {
    const std::vector<S57Cell*> expected = scanned(cells, view);
    ASSERT_EQ(indexed(index, view), expected) << view.centre.x << "," << view.centre.y << " at " << view.scale;
    found += expected.size();
  }
  EXPECT_GT(found, views.size());  // the views do meet cells
}

TEST(CellIndex, AwkwardExtentsChooseWhatTheScanChooses) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  Cells cells;
  cells.add("TOUCHES", 20000, {{1150000, -10, 1151000, 10}});  // meets the right edge at scale 100
  cells.add("AWAY", 20000, {{1150001, -10, 1151000, 10}});
  cells.add("NONE", 20000, {});
  cells.add("TWO", 50000, {{-5e9, -5e9, -4e9, -4e9}, {-10, -10, 10, 10}});  // found once, by its second box
  cells.add("NAN", 90000, {{nan, 0, 1, 1}});                                 // the scan takes it everywhere
  cells.add("WORLD", 3000000, {{-inf, -inf, inf, inf}});
  cells.add("POINT", 10000, {{0, 0, 0, 0}});
  // Enough cells for nodes above the leaves.
  for (int i = 0; i < 100; ++i) {
    const double at = -3e9 + i * 6e7;
    cells.add("GRID" + std::to_string(i), 10000 * (1 + i % 5), {{at, at, at + 5e7, at + 5e7}});
  }
  const CellIndex index(cells.list);
  const struct {
    ChartPoint centre;
    float scale;
    int width, height;
  } views[] = {
      {{0, 0}, 100, 23000, 23000},     {{1150000, 0}, 1, 0, 0},    {{-3e9, -3e9}, 1e5f, 23000, 23000},
      {{0, 0}, 1e9f, 23000, 23000},    {{5e12, 5e12}, 1, 10, 10},  {{-4.5e9, -4.5e9}, 1e3f, 100, 100},
      {{2.9e9, 2.9e9}, 1e4f, 20000, 1}, {{nan, 0}, 100, 23000, 23000},
  };
  for (const auto& v : views) {
    const ViewGeometry view = viewAt(v.centre, v.scale, v.width, v.height);
    EXPECT_EQ(indexed(index, view), scanned(cells, view)) << v.centre.x << "," << v.centre.y << " at " << v.scale;
  }
  EXPECT_TRUE(indexed(CellIndex{}, viewAt({0, 0}, 100)).empty());
}

// A view just east of the 180th meridian finds the cells just west of it
// (one world width away in chart units), as the scan does, among enough
// cells for nodes above the leaves.
TEST(CellIndex, AViewAcrossTheAntimeridianFindsCellsOfBothSides) {
  const double half = mercator::kWorldWidth / 2;
  Cells cells;
  S57Cell& west = cells.add("WESTOF", 20000, {{half - 2e7, -10, half - 1e7, 10}});
  S57Cell& east = cells.add("EASTOF", 20000, {{-half + 1e7, -10, -half + 2e7, 10}});
  for (int i = 0; i < 100; ++i) cells.add("FAR" + std::to_string(i), 20000, {{i * 1e8, 5e8, i * 1e8 + 5e7, 6e8}});
  const CellIndex index(cells.list);
  for (const ChartPoint centre : {ChartPoint{-half + 1e6, 0}, ChartPoint{half - 1e6, 0}}) {
    const ViewGeometry view = viewAt(centre, 1000, 23000, 23000);
    const std::vector<S57Cell*> found = indexed(index, view);
    EXPECT_EQ(found, scanned(cells, view));
    EXPECT_EQ(found, (std::vector<S57Cell*>{&west, &east})) << centre.x;
  }
}
