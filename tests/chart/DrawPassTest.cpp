// The draw pass: which cells a view draws at which scale, in which order,
// their boundaries and the features' own scale ranges.
#include <QImage>
#include <QPainter>
#include <cmath>

#include "CellBoundary.h"
#include "CellChoice.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "ColourToken.h"
#include "DrawTestSupport.h"
#include "TestView.h"
#include "WorldCopies.h"

using namespace drawtest;

namespace {
constexpr int kLNDARE = 71;

// A view of 1000 x 1000 pixels centred on the chart origin.
// The pass without its no-data background (tested on its own below), so
// that the calls recorded are the cells'.
ChartView viewAt(float scale) {
  ChartView view;
  view.scale = scale;
  view.viewportWidth = view.viewportHeight = 23000;
  view.pixelMillimetres = testsupport::pixelMillimetresOfViewScale();  // the true scale is `scale` too
  view.showNoData = false;
  return view;
}

class DrawPassTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    setColour("LANDA", QColor(201, 185, 122));
  }

  // A cell whose only extent is the square of half-width `half` about
  // (x, y), with one land area over it.
  S57Cell& addCell(const std::string& name, int compilationScale, double half, double x = 0, double y = 0) {
    auto cell = std::make_unique<S57Cell>();
    cell->name = name;
    cell->compilationScale = compilationScale;
    const ChartBox box{x - half, y - half, x + half, y + half};
    cell->extents = {box};
    cell->boundingBox = box;
    cell->areas.push_back(landArea(box));
    cells.push_back(std::move(cell));
    list.push_back(cells.back().get());
    return *cells.back();
  }
  static std::unique_ptr<AreaFeature> landArea(const ChartBox& b) {
    auto area = std::make_unique<AreaFeature>();
    area->objectClass = kLNDARE;
    AreaColour fill;
    fill.colour = colourIndex("LANDA");
    area->secondLookup.instructions = {fill};
    area->display.secondCategory = 0;
    area->exteriorVertices = {{{b.minX, b.minY}}, {{b.maxX, b.minY}}, {{b.maxX, b.maxY}}, {{b.minX, b.maxY}}};
    area->updateBounds();
    return area;
  }

  std::vector<std::string> drawnAt(float scale, std::vector<PaintCall>* calls = nullptr, double centreX = 0) {
    ChartView view = viewAt(scale);
    view.centre.x = centreX;
    RecordingDevice device;
    QPainter painter(&device);
    ChartEngine engine(library());
    view.draw(painter, engine, settings(), list);
    painter.end();
    if (calls) *calls = device.calls;
    std::vector<std::string> names;
    for (const S57Cell* c : view.drawnCells) names.push_back(c->name);
    return names;
  }

  std::vector<std::unique_ptr<S57Cell>> cells;
  std::vector<S57Cell*> list;
};

using Names = std::vector<std::string>;
}  // namespace

// No cells: the pass draws the no-data presentation alone, first the
// viewport in NODTA (then the NODATA03 pattern, which the test library
// lacks), and nothing at all without it.
TEST_F(DrawPassTest, NoCellsDrawNothingButNoData) {
  std::vector<PaintCall> calls;
  EXPECT_TRUE(drawnAt(90000, &calls).empty());
  EXPECT_TRUE(calls.empty());
  // The engine's own list holds no cell either.
  setColour("NODTA", QColor(163, 180, 183));
  ChartView view = viewAt(90000);
  view.showNoData = true;
  RecordingDevice device;
  QPainter painter(&device);
  ChartEngine engine(library());
  view.draw(painter, engine, settings());
  painter.end();
  EXPECT_TRUE(view.drawnCells.empty());
  ASSERT_FALSE(device.calls.empty());
  const PaintCall& fill = device.calls.front();
  EXPECT_EQ(fill.kind, PaintCall::Rects);
  EXPECT_EQ(fill.brush.color(), QColor(163, 180, 183));
  EXPECT_EQ(fill.points.boundingRect(), QRectF(0, 0, 23000, 23000));
}

TEST_F(DrawPassTest, NestedCellShowsUpToTwiceItsScale) {
  addCell("INNER", 22000, 1e6);
  addCell("OUTER", 350000, 1e9);
  struct Case {
    float scale;
    Names drawn;
  } cases[] = {
      {1000, {"OUTER", "INNER"}},  // least detailed first
      {44000, {"OUTER", "INNER"}},
      {44001, {"OUTER"}},
      {34999996, {"OUTER"}},
      {35000000, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(drawnAt(c.scale), c.drawn) << c.scale;
}

TEST_F(DrawPassTest, NestingRules) {
  struct Case {
    const char* what;
    int innerScale, outerScale;
    double innerHalf, innerX;
    bool nested;
  } cases[] = {
      {"22000 in 350000", 22000, 350000, 1e6, 0, true},
      {"22000 in 150000: 150000 / 8 is not above 22000", 22000, 150000, 1e6, 0, false},
      {"touching the outer box is not strictly inside", 22000, 350000, 1e6, 1e9 - 1e6, false},
      {"outside the outer box", 22000, 350000, 1e6, 5e9, false},
      {"equal scales", 350000, 350000, 1e6, 0, false},
      {"inside the outer box one world east", 22000, 350000, 1e6, mercator::kWorldWidth, true},
  };
  for (const Case& c : cases) {
    cells.clear();
    list.clear();
    S57Cell& inner = addCell("INNER", c.innerScale, c.innerHalf, c.innerX);
    addCell("OUTER", c.outerScale, 1e9);
    EXPECT_EQ(isNestedCell(inner, list), c.nested) << c.what;
  }
  // Not nested: shown below 100 times its own scale.
  cells.clear();
  list.clear();
  addCell("INNER", 22000, 1e6);
  addCell("OUTER", 150000, 1e9);
  EXPECT_EQ(drawnAt(2199999), (Names{"OUTER", "INNER"}));
  EXPECT_EQ(drawnAt(2200000), (Names{"OUTER"}));
}

TEST_F(DrawPassTest, AnUnknownCompilationScaleTakesTheUsualScaleOfTheCellsPurpose) {
  struct Case {
    const char* name;
    int compilationScale;
    int forRules;
  } cases[] = {
      {"US5WA22M.000", 0, 10000},    // harbour
      {"US1GLOBE.000", -5, 3000000}, // overview
      {"US6BERTH.000", 0, 3000},     // berthing
      {"US9ODDLY.000", 0, 50000},    // no purpose digit
      {"X", 0, 50000},
      {"US4KNOWN.000", 22000, 22000},  // a known scale is its own
  };
  for (const Case& c : cases) {
    cells.clear();
    list.clear();
    addCell(c.name, c.compilationScale, 1e6);
    EXPECT_EQ(compilationScaleForRules(*cells.front()), c.forRules) << c.name;
    const float limit = 100.0f * static_cast<float>(c.forRules);
    // The largest whole scale below the limit (true scales are whole numbers).
    EXPECT_EQ(drawnAt(std::floor(std::nextafter(limit, 0.0f))), Names{c.name}) << c.name;
    EXPECT_TRUE(drawnAt(limit).empty()) << c.name;
  }
  // Nesting and the drawing order go by the same scale.
  cells.clear();
  list.clear();
  addCell("US5INNER.000", 0, 1e6);
  addCell("OUTER", 350000, 1e9);
  EXPECT_EQ(drawnAt(20000), (Names{"OUTER", "US5INNER.000"}));
  EXPECT_EQ(drawnAt(20001), (Names{"OUTER"}));
}

TEST_F(DrawPassTest, CellsHiddenByTheCoverageOfBetterCellsDrawnAreSkipped) {
  // At scale 1000 the view covers +-11500000 chart units.
  struct Cell {
    const char* name;
    int scale;
    double half, x;
    bool coverage;  // an M_COVR area of CATCOV 1 over its extent
  };
  const struct {
    const char* what;
    std::vector<Cell> cells;
    float scale;
    Names drawn;
  } cases[] = {
      {"one better cell over the view",
       {{"LOWER", 50000, 1e9, 0, true}, {"BETTER", 10000, 2e7, 0, true}}, 1000, {"BETTER"}},
      {"the better cell over part of the view",
       {{"LOWER", 50000, 1e9, 0, true}, {"BETTER", 10000, 2e7, 2e7, true}}, 1000, {"LOWER", "BETTER"}},
      {"two better cells joined edge to edge over the view",
       {{"LOWER", 50000, 1e9, 0, true}, {"WEST", 10000, 2e7, -2e7, true}, {"EAST", 10000, 2e7, 2e7, true}},
       1000, {"EAST", "WEST"}},
      {"the same two with a gap between them",
       {{"LOWER", 50000, 1e9, 0, true}, {"WEST", 10000, 2e7, -2e7 - 1, true}, {"EAST", 10000, 2e7, 2e7, true}},
       1000, {"LOWER", "EAST", "WEST"}},
      {"a better cell its scale rule leaves out hides nothing",
       {{"LOWER", 500000, 1e11, 0, true}, {"BETTER", 10000, 3e10, 0, true}}, 2e6f, {"LOWER"}},
      {"a better cell without M_COVR hides nothing",
       {{"LOWER", 50000, 1e9, 0, true}, {"BETTER", 10000, 2e7, 0, false}}, 1000, {"LOWER", "BETTER"}},
      {"a cell of the same scale hides nothing",
       {{"ONE", 10000, 1e9, 0, true}, {"TWO", 10000, 2e7, 0, true}}, 1000, {"TWO", "ONE"}},
      {"the best cell hides every band under it",
       {{"LOW", 100000, 1e9, 0, true}, {"MIDDLE", 20000, 5e7, 0, true}, {"BEST", 5000, 2e7, 0, true}}, 1000,
       {"BEST"}},
  };
  for (const auto& c : cases) {
    cells.clear();
    list.clear();
    for (const Cell& cell : c.cells) {
      S57Cell& added = addCell(cell.name, cell.scale, cell.half, cell.x);
      if (!cell.coverage) continue;
      auto area = landArea(added.extents.front());
      area->objectClass = s57::M_COVR;
      area->attributes.push_back({"CATCOV", "1"});
      area->secondLookup = {};
      added.areas.push_back(std::move(area));
    }
    EXPECT_EQ(drawnAt(c.scale), c.drawn) << c.what;
  }
}

TEST_F(DrawPassTest, CellsAreChosenByTheirExtents) {
  // At scale 100 the view covers +-1150000 chart units.
  addCell("TOUCHES", 20000, 1000, 1151000, 0);  // box edge on the view's right edge
  addCell("AWAY", 20000, 1000, 1152000 + 1, 0);
  S57Cell& empty = addCell("EMPTY", 20000, 1000);
  empty.extents.clear();  // a cell without extents is never drawn
  EXPECT_EQ(drawnAt(100), (Names{"TOUCHES"}));
}

// The chart is one world round: a view across the 180th meridian shows the
// cells of both sides, each where it lies, and a cell kept continuous
// across it (177E to 177W as 177..183) as one piece.
TEST_F(DrawPassTest, AViewAcross180ShowsBothSidesAndCellsAcrossItInOnePiece) {
  const auto at = [](double longitude) { return geoToChart({0, longitude}).x; };
  const double halfDegree = at(0.5);
  addCell("EAST.000", 1000000, halfDegree, at(178));
  addCell("WEST.000", 1000000, halfDegree, at(-178));
  addCell("ACROSS.000", 1000000, 3 * halfDegree, at(180));
  // 20 degrees across 1000 pixels, centred on 180 as 180E and as 180W.
  const float scale = static_cast<float>(at(20) / 23000);
  for (const double centre : {at(180), at(-180)}) {
    std::vector<PaintCall> calls;
    EXPECT_EQ(drawnAt(scale, &calls, centre), (Names{"ACROSS.000", "WEST.000", "EAST.000"})) << centre;
    // Each cell's fill where it lies, a degree being 1150 units: the cell
    // across 180 3 degrees wide about the middle, 178W 2 degrees east of
    // it, 178E as far west.
    std::vector<QRectF> fills;
    for (const PaintCall& c : calls)
      if (c.kind == PaintCall::Polygon && (fills.empty() || fills.back() != c.points.boundingRect()))
        fills.push_back(c.points.boundingRect());
    ASSERT_EQ(fills.size(), 3u) << centre;
    EXPECT_NEAR(fills[0].center().x(), 11500, 2);
    EXPECT_NEAR(fills[0].width(), 3450, 2);
    EXPECT_NEAR(fills[1].center().x(), 11500 + 2300, 2);
    EXPECT_NEAR(fills[2].center().x(), 11500 - 2300, 2);
  }
}

TEST_F(DrawPassTest, BoundariesOfEveryCandidate) {
  addCell("INNER.000", 22000, 230000);
  addCell("OUTER.000", 350000, 1e9);
  std::vector<PaintCall> calls;
  ASSERT_EQ(drawnAt(44001, &calls), (Names{"OUTER.000"}));
  std::vector<PaintCall> rects, texts;
  for (const PaintCall& c : calls) {
    if (c.kind == PaintCall::Rects) rects.push_back(c);
    if (c.kind == PaintCall::Text) texts.push_back(c);
  }
  // Both candidates are named, the undrawn inner one last; the outer frame
  // lies wholly beyond the view, so only the inner one is stroked.
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1].text, "INNER.000");
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].pen.color(), QColor(0, 0, 255));
  EXPECT_EQ(rects[0].pen.width(), 30);
  EXPECT_EQ(rects[0].brush.style(), Qt::NoBrush);
  // (origin + 230000) / 44001 truncated: the frame runs from 11494 to 11505.
  EXPECT_EQ(rects[0].points[0], QPointF(11494, 11494));
  EXPECT_EQ(rects[0].points[1], QPointF(11505, 11505));

  settings().setShowCellBoundaries(2);
  drawnAt(44001, &calls);
  for (const PaintCall& c : calls) EXPECT_NE(c.kind, PaintCall::Rects);
}

// A frame far larger than the view is stroked only where it comes near
// the view, and its pixels are those of the whole frame stroked.
TEST_F(DrawPassTest, AFrameLargerThanTheViewShowsAsTheWholeFrameStroked) {
  struct Case {
    const char* what;
    ChartBox box;  // chart units; the view of 100 x 80 pixels at scale 1 spans 0 ... 2300 by -1840 ... 0
  };
  const Case cases[] = {
      {"left side in view", {600, -1e7, 1e7, 1e7}},
      {"top and right sides in view", {-1e7, -1e7, 1700, -500}},
      {"a corner in view", {1000, -1e7, 1e7, -900}},
      {"the whole frame in view", {300, -1500, 2000, -300}},
      {"sides just beyond the view but the top", {-40, -1850, 2340, -1000}},
  };
  for (const Case& c : cases) {
    S57Cell cell;
    cell.name = "BIG.000";
    cell.boundingBox = c.box;
    auto paint = [&](bool whole) {
      QImage image(100, 80, QImage::Format_ARGB32_Premultiplied);
      image.fill(Qt::white);
      QPainter painter(&image);
      ChartView view;
      view.scale = 1;
      setupPainter(painter, 100, 80, view);
      view.centre = {1150, -920};
      updateOrigin(view);
      if (whole) {
        painter.setPen(QPen(QBrush(QColor(0, 0, 255)), 30));
        painter.drawRect(static_cast<int>(c.box.minX), static_cast<int>(-c.box.maxY),
                         static_cast<int>(c.box.maxX - c.box.minX), static_cast<int>(c.box.maxY - c.box.minY));
      } else {
        TextPlacement names;  // the name waits there, undrawn
        drawCellBoundary(painter, cell, view, &names);
      }
      painter.end();
      return image;
    };
    const QImage clipped = paint(false), whole = paint(true);
    EXPECT_EQ(clipped, whole) << c.what;
    QImage blank(100, 80, QImage::Format_ARGB32_Premultiplied);
    blank.fill(Qt::white);
    EXPECT_NE(whole, blank) << c.what;  // the frame shows
  }
}

TEST_F(DrawPassTest, CellNamesAreDeclutteredAmongThemselves) {
  auto namesDrawn = [this](float scale) {
    std::vector<PaintCall> calls;
    drawnAt(scale, &calls);
    int texts = 0;
    for (const PaintCall& c : calls) texts += c.kind == PaintCall::Text;
    return texts;
  };
  // Eight neighbouring cells 0.02 view widths apart: at a small scale their
  // frames and names fall on nearly the same spot, and one name shows; at a
  // large scale they are far apart and every name shows.
  for (int i = 0; i < 8; ++i) addCell("NEIGHBR" + std::to_string(i) + ".000", 22000, 2e5, i * 4e5, i * 4e5);
  EXPECT_EQ(namesDrawn(1e6f), 1);
  EXPECT_EQ(namesDrawn(1000), 8);
  // Every pass starts afresh: the same view again shows the same names.
  EXPECT_EQ(namesDrawn(1e6f), 1);
}

// A view of scale 0 puts the frame's edges at infinity: they are taken as
// 1e9 units out, so the frame lies beyond the view and is not stroked.
TEST_F(DrawPassTest, BoundaryOfAViewOfScaleZero) {
  S57Cell& cell = addCell("ZERO.000", 22000, 230000);
  for (float scale : {0.0f, 1e-30f}) {
    ChartView view = viewAt(scale);
    updateOrigin(view);
    RecordingDevice device;
    QPainter painter(&device);
    drawCellBoundary(painter, cell, view);
    painter.end();
    EXPECT_TRUE(device.ofKind(PaintCall::Rects).empty()) << scale;
  }
}

TEST_F(DrawPassTest, FeatureScaleRange) {
  S57Cell& cell = addCell("CELL", 20000, 1e6);
  AreaFeature& area = *cell.areas[0];
  struct Case {
    int scaleMaximum, scaleMinimum;
    float scale;
    bool drawn;
  } cases[] = {
      {-1, 50000, 49999, true}, {-1, 50000, 50000, false}, {10000, -1, 10000, false},
      {10000, -1, 10001, true}, {-1, -1, 1, true},
  };
  settings().setShowCellBoundaries(2);
  for (const Case& c : cases) {
    area.scaleMaximum = c.scaleMaximum;
    area.scaleMinimum = c.scaleMinimum;
    std::vector<PaintCall> calls;
    drawnAt(c.scale, &calls);
    EXPECT_EQ(!calls.empty(), c.drawn) << c.scaleMaximum << " " << c.scaleMinimum << " at " << c.scale;
  }
}

// The texts placed belong to the view; each cell starts without any.
TEST_F(DrawPassTest, TextBoxesStartAfreshForEachCellDraw) {
  addCell("CELL", 20000, 1e6);
  ChartView view = viewAt(1000);
  view.buffers.textBoxes.boxes.push_back(TextBox{0, 100000, 0, 100000});
  RecordingDevice device;
  QPainter painter(&device);
  ChartEngine engine(library());
  view.draw(painter, engine, settings(), list);
  painter.end();
  EXPECT_TRUE(view.buffers.textBoxes.boxes.empty());
}

// A cell without coverage areas is hatched over its extent once the view is
// more than twice as detailed as its compilation scale; the view keeps the
// factor of its most detailed cell.
TEST_F(DrawPassTest, OverscalePatternOverTheExtentOfACellWithoutCoverage) {
  setColour("CHGRD", QColor(128, 128, 128));
  PatternDefinition& p = library().patterns["OVERSC01"];
  p.name = "OVERSC01";
  p.fillKind = "LIN";
  p.height = 460;
  p.commands = {SP(colour("CHGRD")), SW(1), PU(0, 0), PD(0, 460)};
  addCell("A", 20000, 2000);
  struct Case {
    float scale;
    double factor;
    int hatched;
  } cases[] = {{40000, 0, 0}, {20000, 0, 0}, {10000, 2, 0}, {5000, 4, 1}};
  for (const Case& c : cases) {
    ChartView view = viewAt(c.scale);
    RecordingDevice device;
    QPainter painter(&device);
    ChartEngine engine(library());
    view.draw(painter, engine, settings(), list);
    painter.end();
    int hatched = 0;
    for (const PaintCall& call : device.calls) hatched += call.brush.style() == Qt::TexturePattern;
    EXPECT_EQ(hatched, c.hatched) << c.scale;
    EXPECT_DOUBLE_EQ(view.overscale, c.factor) << c.scale;
  }
}

// An unloaded cell (known by its extents only) draws nothing and hides
// nothing: the cell under it shows meanwhile, and the pass names it among
// the cells to read again only when its scale rule admits it.
TEST_F(DrawPassTest, AnUnloadedCellIsAskedForAndTheCellsUnderItShowMeanwhile) {
  addCell("OUTER", 350000, 1e9);
  S57Cell& inner = addCell("INNER", 22000, 1e9);
  inner.areas.clear();
  inner.unloaded = true;
  struct Case {
    float scale;
    Names drawn, unloaded;
  } cases[] = {
      {20000, {"OUTER"}, {"INNER"}},
      {2199999, {"OUTER"}, {"INNER"}},
      {2200000, {"OUTER"}, {}},  // beyond its scale rule: not wanted
  };
  for (const Case& c : cases) {
    ChartView view = viewAt(c.scale);
    RecordingDevice device;
    QPainter painter(&device);
    ChartEngine engine(library());
    view.draw(painter, engine, settings(), list);
    painter.end();
    Names drawn, unloaded;
    for (const S57Cell* cell : view.drawnCells) drawn.push_back(cell->name);
    for (const S57Cell* cell : view.unloadedCells) unloaded.push_back(cell->name);
    EXPECT_EQ(drawn, c.drawn) << c.scale;
    EXPECT_EQ(unloaded, c.unloaded) << c.scale;
  }
}
