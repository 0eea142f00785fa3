// Object selection on cells built in memory: which objects a click picks at
// the edges of the rules (holes, the line distance, the pick square, the
// nearest sounding), the order of the list, overlapping cells, and that
// nothing the draw pass leaves out is picked.
#include <QPainter>
#include <functional>

#include "ChartEngine.h"
#include "ChartView.h"
#include "ColourToken.h"
#include "DrawTestSupport.h"
#include "MercatorProjection.h"
#include "ObjectPicking.h"
#include "S57Vocabulary.h"
#include "TestView.h"

using namespace drawtest;

namespace {
// A view of 1000 x 1000 pixels centred on the chart origin; at scale 1000
// a pixel is 23000 chart units.
constexpr double kPixel = 23000.0;

ChartView viewAt(float scale) {
  ChartView view;
  view.scale = scale;
  view.viewportWidth = view.viewportHeight = 23000;
  view.pixelMillimetres = testsupport::pixelMillimetresOfViewScale();  // the true scale is `scale` too
  return view;
}

// An instruction of the kind in the colour of `colourToken` (solid, width 1).
Instruction instruction(InstructionKind kind, const char* colourToken = "CHBLK") {
  switch (kind) {
    case InstructionKind::AreaColour: return AreaColour{colourIndex(colourToken), -1};
    case InstructionKind::LineStyle: return LineStyle{colourIndex(colourToken), 1, LineDash::Solid};
    case InstructionKind::Symbol: return Symbol{"TESTSYM", {}, {}};
    default: return Instruction{};
  }
}
constexpr InstructionKind kAC = InstructionKind::AreaColour, kLS = InstructionKind::LineStyle,
                          kSY = InstructionKind::Symbol;

class ObjectPickingTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    setColour("CHBLK", QColor(0, 0, 0));
  }

  // A cell whose extent is the square of half-width `half` about the origin.
  S57Cell& addCell(const std::string& name, int compilationScale = 20000, double half = 1e9) {
    auto cell = std::make_unique<S57Cell>();
    cell->name = name;
    cell->compilationScale = compilationScale;
    const ChartBox box{-half, -half, half, half};
    cell->extents = {box};
    cell->boundingBox = box;
    cells.push_back(std::move(cell));
    list.push_back(cells.back().get());
    return *cells.back();
  }

  template <typename Feature>
  static Feature& shown(Feature& f, InstructionKind kind, int priority) {
    f.objectClass = s57::DEPARE;
    f.secondLookup.instructions = {instruction(kind)};
    f.display.secondCategory = 0;
    f.display.priority = priority;
    return f;
  }

  // A square area of half-width `half` about (x, y), with a square hole of
  // half-width `hole` (none when 0).
  static AreaFeature& addArea(S57Cell& cell, double half, double hole = 0, int priority = 3, double x = 0,
                              double y = 0) {
    auto area = std::make_unique<AreaFeature>();
    area->exteriorVertices = {{{x - half, y - half}}, {{x + half, y - half}}, {{x + half, y + half}},
                              {{x - half, y + half}}, {{x - half, y - half}}};
    if (hole > 0)
      area->interiorVertices = {{{x - hole, y - hole}}, {{x - hole, y + hole}}, {{x + hole, y + hole}},
                                {{x + hole, y - hole}}, {{x - hole, y - hole}}};
    area->updateBounds();
    area->findHoles();
    cell.areas.push_back(std::move(area));
    return shown(*cell.areas.back(), kAC, priority);
  }

  static LineFeature& addLine(S57Cell& cell, std::vector<ChartPoint> points, int priority = 5) {
    auto line = std::make_unique<LineFeature>();
    for (const ChartPoint& p : points) line->vertices.push_back(ChartVertex{p});
    cell.lines.push_back(std::move(line));
    LineFeature& l = shown(*cell.lines.back(), kLS, priority);
    l.objectClass = s57::SLCONS;  // a line whose look-up calls no procedure
    return l;
  }

  static PointFeature& addPoint(S57Cell& cell, double x, double y, int priority = 5) {
    auto point = std::make_unique<PointFeature>();
    point->position.point = {x, y};
    cell.points.push_back(std::move(point));
    PointFeature& p = shown(*cell.points.back(), kSY, priority);
    p.objectClass = s57::BOYCAR;
    return p;
  }

  static SoundingFeature& addSoundings(S57Cell& cell, std::vector<ChartPoint> at) {
    auto feature = std::make_unique<SoundingFeature>();
    feature->objectClass = s57::SOUNDG;
    const Instruction procedure = ProcedureCall{"SOUNDG02"};
    feature->secondLookup = {{procedure}};
    feature->display.secondCategory = 2;
    for (const ChartPoint& p : at) feature->soundings.push_back(Sounding{p.x, p.y, 12.5f});
    cell.soundings.push_back(std::move(feature));
    return *cell.soundings.back();
  }

  // Draws the cells as the window does, then picks at `at` (chart units).
  std::vector<PickedObject> pickAt(const ChartPoint& at, float scale = 1000) {
    view = viewAt(scale);
    draw();
    return pickObjects(view.drawnCells, view, settings(), at);
  }
  void draw() {
    RecordingDevice device;
    QPainter painter(&device);
    ChartEngine engine(library());
    view.draw(painter, engine, settings(), list);
  }

  static std::vector<const ChartFeature*> features(const std::vector<PickedObject>& picked) {
    std::vector<const ChartFeature*> out;
    for (const PickedObject& p : picked) out.push_back(p.feature);
    return out;
  }

  ChartView view;
  std::vector<std::unique_ptr<S57Cell>> cells;
  std::vector<S57Cell*> list;
};

using Features = std::vector<const ChartFeature*>;
}  // namespace

// An area holds its inside and its boundary, not the inside of its holes;
// the edge of a hole belongs to the area.
TEST_F(ObjectPickingTest, AreasHoldTheirInsideAndBoundaryButNotTheirHoles) {
  S57Cell& cell = addCell("CELL");
  const AreaFeature& area = addArea(cell, 1e7, 2e6);
  struct Case {
    ChartPoint at;
    bool picked;
    const char* where;
  };
  const Case cases[] = {
      {{5e6, 0}, true, "between the hole and the exterior"},
      {{0, 0}, false, "inside the hole"},
      {{1999999, 0}, false, "just inside the hole"},
      {{2e6, 0}, true, "on the hole's east edge"},
      {{-2e6, 0}, true, "on the hole's west edge"},
      {{-2e6, -2e6}, true, "on a corner of the hole"},
      {{1e7, 3e6}, true, "on the exterior edge"},
      {{10000001, 3e6}, false, "just outside"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(features(pickAt(c.at)), c.picked ? Features{&area} : Features{}) << c.where;
}

// A click picks lines within 4 pixels, measured to the nearest point of any
// segment (here through the widget pixel path of the window).
TEST_F(ObjectPickingTest, LinesArePickedWithinFourPixels) {
  S57Cell& cell = addCell("CELL");
  const LineFeature& three = addLine(cell, {{3 * kPixel, -1e6}, {3 * kPixel, 1e6}});
  const LineFeature& four = addLine(cell, {{-1e6, 4 * kPixel}, {1e6, 4 * kPixel}});
  addLine(cell, {{-5 * kPixel, -1e6}, {-5 * kPixel, 1e6}});
  // Its end is 5 pixels away, though the line's course points at the click.
  addLine(cell, {{0, -5 * kPixel}, {0, -1e6}});
  view = viewAt(1000);
  draw();
  // Pixel (500, 500) is the chart origin.
  const std::vector<PickedObject> picked = view.pick(settings(), 500, 500);
  EXPECT_EQ(features(picked), (Features{&four, &three}));  // equal priority: the one drawn later first
  // Zoomed out four times, the pixels are larger: all four are near.
  EXPECT_EQ(pickAt({0, 0}, 4000).size(), 4u);
}

// Points within the pick square of eight pixels each way, at every scale,
// and on the drawing surface; soundings: the nearest one only.
TEST_F(ObjectPickingTest, PointsInThePickSquareAndTheNearestSounding) {
  for (const float scale : {1000.0f, 25000.0f, 400000.0f}) {
    SCOPED_TRACE(scale);
    cells.clear();
    list.clear();
    settings().showSoundings = false;
    const double pixel = kPixel * scale / 1000;
    S57Cell& cell = addCell("CELL");
    const PointFeature& nearX = addPoint(cell, 7.9 * pixel, 0);
    addPoint(cell, 8 * pixel, 0);
    addPoint(cell, 0, -8 * pixel);
    const PointFeature& nearY = addPoint(cell, 0, -7.9 * pixel);
    addPoint(cell, 60 * pixel, 10);  // a neighbour sixty pixels away
    const SoundingFeature& soundings =
        addSoundings(cell, {{6 * pixel, 0}, {-1.5 * pixel, pixel}, {0.5 * pixel, -0.5 * pixel}, {9 * pixel, 0}});
    EXPECT_EQ(features(pickAt({0, 0}, scale)), (Features{&nearY, &nearX}));  // soundings are not shown
    settings().showSoundings = true;
    const std::vector<PickedObject> picked = pickAt({0, 0}, scale);
    ASSERT_EQ(picked.size(), 3u);
    EXPECT_EQ(picked[2].feature, &soundings);
    EXPECT_EQ(picked[2].sounding, 2u);
  }
  // A point off the drawing surface is not drawn, so not picked: the
  // surface ends 500 pixels east of the origin.
  cells.clear();
  list.clear();
  S57Cell& cell = addCell("CELL");
  addPoint(cell, 502 * kPixel, 0);
  const PointFeature& inside = addPoint(cell, 498 * kPixel, 0);
  EXPECT_EQ(features(pickAt({496 * kPixel, 0})), (Features{&inside}));
}

// Where a more detailed cell drawn over others has coverage, only its
// objects are picked: the cells under it are painted over there. Beyond its
// coverage the cell under it shows and is picked; a cell of the same
// compilation scale hides nothing.
TEST_F(ObjectPickingTest, OnlyTheCellsShowingAtTheClickArePicked) {
  S57Cell& overview = addCell("OVERVIEW", 90000);
  const AreaFeature& sea = addArea(overview, 1e8);
  const LineFeature& track = addLine(overview, {{-1e9, 0}, {1e9, 0}});
  S57Cell& harbour = addCell("HARBOUR", 20000);
  AreaFeature& coverage = addArea(harbour, 1e7);
  coverage.objectClass = s57::M_COVR;
  coverage.attributes.push_back({"CATCOV", "1"});
  coverage.secondLookup.instructions.clear();  // as the library has it: its limit is drawn, not the area
  const AreaFeature& depth = addArea(harbour, 1e7);
  S57Cell& neighbour = addCell("NEIGHBOUR", 20000);
  const AreaFeature& alongside = addArea(neighbour, 2e6, 0, 3, 9e6, 0);
  const struct {
    ChartPoint at;
    Features picked;
    const char* where;
  } cases[] = {
      {{0, 0}, {&depth}, "inside the harbour cell's coverage"},
      {{9e6, 0}, {&depth, &alongside}, "where the neighbour of the same scale meets it"},
      {{3e7, 0}, {&track, &sea}, "beyond the harbour cell's coverage"},
  };
  for (const auto& c : cases) EXPECT_EQ(features(pickAt(c.at)), c.picked) << c.where;
  // Without coverage a cell hides nothing.
  harbour.areas.erase(harbour.areas.begin());
  EXPECT_EQ(features(pickAt({0, 0})), (Features{&track, &depth, &sea}));
}

// Points, soundings, lines, areas; within a kind the highest display
// priority first (as the procedures left it); at equal priority the cell
// drawn later (the more detailed, on top) first.
TEST_F(ObjectPickingTest, TheListRunsByKindThenPriorityThenTheCellOnTop) {
  S57Cell& overview = addCell("OVERVIEW", 90000);
  S57Cell& detailed = addCell("DETAILED", 20000, 5e8);
  settings().showSoundings = true;
  const AreaFeature& sea = addArea(overview, 1e8, 0, 1);
  const AreaFeature& restricted = addArea(overview, 1e8, 0, 6);
  const AreaFeature& depth = addArea(detailed, 1e8, 0, 1);
  const LineFeature& line = addLine(detailed, {{-1e6, 0}, {1e6, 0}});
  const PointFeature& low = addPoint(overview, 0, 0, 2);
  const PointFeature& high = addPoint(detailed, 0, 0, 8);
  const SoundingFeature& sounding = addSoundings(overview, {{1000, 1000}});
  const std::vector<PickedObject> picked = pickAt({0, 0});
  EXPECT_EQ(features(picked), (Features{&high, &low, &sounding, &line, &restricted, &depth, &sea}));
  ASSERT_EQ(picked.size(), 7u);
  EXPECT_EQ(picked[0].cell->name, "DETAILED");
  EXPECT_EQ(picked[6].cell->name, "OVERVIEW");
  EXPECT_EQ(picked[4].displayPriority, 6);
}

// Whatever the draw pass leaves out at the view and settings is not picked:
// each case changes one thing of an area, line and point that are all
// picked otherwise.
TEST_F(ObjectPickingTest, ObjectsThePassDoesNotDrawAreNotPicked) {
  struct Case {
    const char* what;
    std::function<void(DisplaySettings&, AreaFeature&, LineFeature&, PointFeature&)> change;
    float scale;
    std::size_t picked;  // of the three
  };
  const Case cases[] = {
      {"nothing changed", [](auto&, auto&, auto&, auto&) {}, 1000, 3},
      {"the area's SCAMIN is the view scale", [](auto&, AreaFeature& a, auto&, auto&) { a.scaleMinimum = 1000; },
       1000, 2},
      {"the line's SCAMAX is above the view scale", [](auto&, auto&, LineFeature& l, auto&) { l.scaleMaximum = 2000; },
       1000, 2},
      {"the point is of the standard category, the display base only",
       [](DisplaySettings& s, auto&, auto&, PointFeature& p) {
         p.display.secondCategory = 1;
         s.setDisplayCategory(0);
       },
       1000, 2},
      {"the area is M_NSYS", [](auto&, AreaFeature& a, auto&, auto&) { a.objectClass = s57::M_NSYS; }, 1000, 2},
      {"the area is of a mariner's viewing group", [](auto&, AreaFeature& a, auto&, auto&) { a.display.viewingGroup = 31010; },
       1000, 2},
      {"the line is a depth contour, contours off", [](auto&, auto&, LineFeature& l, auto&) { l.objectClass = s57::DEPCNT; },
       1000, 2},
      {"the point's look-up draws nothing", [](auto&, auto&, auto&, PointFeature& p) { p.secondLookup.instructions = {}; },
       1000, 2},
      {"the line ended before the viewing date",
       [](DisplaySettings& s, auto&, LineFeature& l, auto&) {
         s.viewingDate = 20260101;
         l.attributes.push_back({"DATEND", "20251231"});
       },
       1000, 2},
      {"the same with all dates shown",
       [](DisplaySettings& s, auto&, LineFeature& l, auto&) {
         s.viewingDate = 20260101;
         s.showAllDates = true;
         l.attributes.push_back({"DATEND", "20251231"});
       },
       1000, 3},
      {"the point is seasonal, out of season",
       [](DisplaySettings& s, auto&, auto&, PointFeature& p) {
         s.viewingDate = 20260715;
         p.attributes.push_back({"PERSTA", "--1101"});
         p.attributes.push_back({"PEREND", "--0331"});
       },
       1000, 2},
      {"points are not drawn above scale 500000", [](auto&, auto&, auto&, auto&) {}, 500001, 2},
      {"the cell is not drawn at 100 times its scale", [](auto&, auto&, auto&, auto&) {}, 2000000, 0},
  };
  for (const Case& c : cases) {
    cells.clear();
    list.clear();
    settings() = DisplaySettings(library());
    S57Cell& cell = addCell("CELL");
    AreaFeature& area = addArea(cell, 1e8);
    LineFeature& line = addLine(cell, {{-1e9, 0}, {1e9, 0}});
    PointFeature& point = addPoint(cell, 0, 0);
    c.change(settings(), area, line, point);
    EXPECT_EQ(pickAt({0, 0}, c.scale).size(), c.picked) << c.what;
  }
}

// A view across the 180th meridian picks what it shows on the far side:
// the cell keeps its coordinates just east of 180 (x near -W/2), the view
// looks at them from just west of it, one world width away.
TEST_F(ObjectPickingTest, ObjectsAcrossTheAntimeridianArePickedInTheCopyShown) {
  const double east = -mercator::kWorldWidth / 2 + 1e7;  // just east of 180
  S57Cell& cell = addCell("EAST");
  const ChartBox box{east - 1e8, -1e8, east + 1e8, 1e8};
  cell.extents = {box};
  cell.boundingBox = box;
  const PointFeature& point = addPoint(cell, east, 0);
  const AreaFeature& area = addArea(cell, 5e7, 0, 3, east, 0);

  view = viewAt(5000);
  view.centre = ChartPoint{mercator::kWorldWidth / 2 - 1e7, 0};  // just west of 180
  draw();
  ASSERT_EQ(view.drawnCells.size(), 1u);
  const ChartPoint there{east + mercator::kWorldWidth, 0};  // the point, in the copy this view shows
  EXPECT_EQ(features(pickObjects(view.drawnCells, view, settings(), there)), (Features{&point, &area}));
  // Through the window's path: the pixel 2e7 units right of the middle (a
  // pixel is 5 * kPixel units at this scale).
  EXPECT_EQ(features(view.pick(settings(), 500 + 2e7 / (5 * kPixel), 500)), (Features{&point, &area}));
}
