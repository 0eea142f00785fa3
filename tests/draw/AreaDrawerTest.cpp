// Drawing area features: skipping, clipping, the instruction walk, when the
// procedures run again, and each instruction kind over the outline.
#include <QPainter>
#include <climits>
#include <cmath>

#include "AreaCentre.h"
#include "AreaDrawer.h"
#include "AreaOutline.h"
#include "ColourPens.h"
#include "ColourToken.h"
#include "DrawTestSupport.h"
#include "TestView.h"
#include "FeaturePortrayal.h"
#include "TestInstructions.h"
#include "TextPreparation.h"

using namespace drawtest;
using testsupport::testView;

namespace {
ChartVertex at(double x, double y, std::uint8_t usage = 1) { return ChartVertex{{x, -y}, usage}; }

using testsupport::ac;
using testsupport::cs;
using testsupport::sy;
// An LS of dash 1 solid, 2 dashed, 3 dotted, 0 unknown.
Instruction ls(int dash, int width, const char* token) {
  return testsupport::ls(static_cast<LineDash>(dash), width, token);
}
Instruction tx(const char* acronym) {
  PlainText t;
  t.attribute = acronym;
  t.horizontal = t.vertical = 1;
  t.xOffset = 0;
  return t;
}

class AreaDrawerTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    const char* tokens[] = {"DEPIT", "DEPVS", "DEPMS", "DEPMD", "DEPDW", "CHMGD", "CHBLK", "LANDA", "CHGRF"};
    int shade = 10;
    for (const char* t : tokens) setColour(t, QColor(shade, shade, shade)), shade += 10;
    settings().setContourSet(10);
    // A symbol that marks where it was drawn: a line from its pivot 100 to the right.
    SymbolDefinition& mark = library().symbols["MARK0001"];
    mark.commands = {SP(colour("CHBLK")), SW(1), PU(0, 0), PD(100, 0)};
    for (const char* name : {"ENTRES51", "CTYARE51", "INFARE51"}) library().symbols[name] = mark;
  }

  // An area of `objectClass` with the look-up list `instructions` (for both
  // symbol styles, category 1) over the ring, a square 1000 wide at (x, y) by default.
  AreaFeature& addArea(int objectClass, std::vector<Instruction> instructions, std::vector<FeatureAttribute> attributes = {},
                       std::vector<ChartVertex> ring = {}) {
    auto area = std::make_unique<AreaFeature>();
    area->objectClass = objectClass;
    area->attributes = std::move(attributes);
    area->firstLookup = {instructions};
    area->display.firstCategory = 1;
    area->secondLookup = {std::move(instructions)};
    area->display.secondCategory = 1;
    area->display.viewingGroup = 26000;
    area->exteriorVertices = ring.empty() ? square(2000, 2000, 1000) : std::move(ring);
    area->updateBounds();
    prepareLookupTexts(*area, library().chineseNames);
    cell.areas.push_back(std::move(area));
    return *cell.areas.back();
  }
  static std::vector<ChartVertex> square(double x, double y, double size, std::uint8_t usage = 1) {
    return {at(x, y, usage), at(x + size, y, usage), at(x + size, y + size, usage), at(x, y + size, usage),
            at(x, y, usage)};
  }

  std::vector<PaintCall> draw(const AreaFeature& area) {
    RecordingDevice device;
    QPainter painter(&device);
    DrawContext dc{canvas(painter), settings(), view, buffers};
    drawArea(dc, area, cell);
    painter.end();
    return device.calls;
  }
  // The instructions the area's procedures made for the settings, none when
  // it calls no procedure.
  std::vector<Instruction> generated(const AreaFeature& area) {
    const auto result = procedureResult(area, cell, settings());
    return result ? result->instructions : std::vector<Instruction>{};
  }
  // The colours of the fills drawn, one per AC (each is filled twice).
  std::vector<QColor> fills(const std::vector<PaintCall>& calls) {
    std::vector<QColor> out;
    for (const PaintCall& c : calls)
      if (c.kind == PaintCall::Polygon && c.pen.style() == Qt::NoPen && (out.empty() || out.back() != c.brush.color()))
        out.push_back(c.brush.color());
    return out;
  }
  QColor token(const char* t) { return colourOf(*settings().colourTable, colourIndex(t)); }

  S57Cell cell;
  ViewGeometry view = testView();
  DrawBuffers buffers;
};

constexpr int kDEPARE = 42, kDRGARE = 46, kRESARE = 112, kCoverage = 306, kACHARE = 4;
}  // namespace

TEST_F(AreaDrawerTest, DepthAreaProcedureRunsOnlyWhenTheContourChanges) {
  AreaFeature& area = addArea(kDEPARE, {cs("DEPARE02")}, {{"DRVAL1", "5"}, {"DRVAL2", "10"}});
  EXPECT_EQ(fills(draw(area)), (std::vector<QColor>{token("DEPMS")}));
  const auto first = area.procedureCache.load();
  ASSERT_TRUE(first);

  // A second pass with the same settings keeps the result; so does a change
  // of a setting the procedure does not read.
  draw(area);
  settings().lightLabels = false;
  settings().setColourScheme(5);
  draw(area);
  EXPECT_EQ(area.procedureCache.load(), first);

  // Contour set 5 rebuilds it: 5 to 10 m is now past the safety contour.
  settings().setContourSet(5);
  EXPECT_EQ(fills(draw(area)), (std::vector<QColor>{token("DEPMD")}));
  settings().setContourSet(20);
  EXPECT_EQ(fills(draw(area)), (std::vector<QColor>{token("DEPVS")}));
}

TEST_F(AreaDrawerTest, DepthShadesForTheThreeContourSets) {
  struct Case {
    int contours;
    const char* drval1;
    const char* drval2;
    const char* shade;
  } cases[] = {
      {10, "-2", "0", "DEPIT"},  {10, "0", "2", "DEPVS"},  {10, "5", "10", "DEPMS"},
      {10, "10", "15", "DEPMD"}, {10, "20", "30", "DEPDW"}, {5, "2", "5", "DEPMS"},
      {5, "5", "10", "DEPMD"},   {5, "10", "20", "DEPDW"},  {20, "10", "20", "DEPMS"},
      {20, "15", "25", "DEPMS"}, {20, "20", "30", "DEPDW"}, {10, "10", nullptr, "DEPMD"},
  };
  for (const Case& c : cases) {
    settings().setContourSet(c.contours);
    std::vector<FeatureAttribute> attributes = {{"DRVAL1", c.drval1}};
    if (c.drval2) attributes.push_back({"DRVAL2", c.drval2});
    AreaFeature& area = addArea(kDEPARE, {cs("DEPARE02")}, attributes);
    EXPECT_EQ(fills(draw(area)), (std::vector<QColor>{token(c.shade)}))
        << c.contours << ": " << c.drval1 << " " << (c.drval2 ? c.drval2 : "-");
  }
}

TEST_F(AreaDrawerTest, RestrictedAreasFollowTheBoundaryStyle) {
  AreaFeature& resare = addArea(kRESARE, {cs("RESARE03")}, {{"RESTRN", "7"}});
  AreaFeature& restrn = addArea(kACHARE, {ls(2, 2, "CHMGD"), cs("RESTRN01")}, {{"RESTRN", "7"}});
  EXPECT_FALSE(draw(resare).empty());
  EXPECT_FALSE(draw(restrn).empty());
  ASSERT_EQ(generated(resare).size(), 2u);
  EXPECT_TRUE(generated(resare)[1].is<ComplexLine>());
  ASSERT_EQ(generated(restrn).size(), 1u);
  EXPECT_EQ(generated(restrn)[0].as<Symbol>().name, "ENTRES51");

  // Paper-chart symbols are for points: the boundary stays.
  settings().setSymbolStyle(1);
  draw(resare);
  ASSERT_EQ(generated(resare).size(), 2u);
  EXPECT_TRUE(generated(resare)[1].is<ComplexLine>());
  // Plain boundaries: RESARE03 now bounds with the plain dashed line.
  settings().setPlainBoundaries(1);
  draw(resare);
  draw(restrn);
  ASSERT_EQ(generated(resare).size(), 2u);
  EXPECT_TRUE(generated(resare)[1].is<LineStyle>());
  EXPECT_EQ(generated(restrn).size(), 1u);
}

// A feature first drawn with plain boundaries gets its restriction symbol
// too.
TEST_F(AreaDrawerTest, RestrictionSymbolWhenFirstDrawnWithPlainBoundaries) {
  settings().setPlainBoundaries(1);
  AreaFeature& area = addArea(kACHARE, {cs("RESTRN01")}, {{"RESTRN", "7"}});
  const auto calls = draw(area);
  ASSERT_EQ(generated(area).size(), 1u);
  EXPECT_EQ(generated(area)[0].as<Symbol>().name, "ENTRES51");
  EXPECT_EQ(calls.size(), 1u);
}

TEST_F(AreaDrawerTest, SkippedAreas) {
  struct Case {
    const char* what;
    int objectClass;
    int viewingGroup;
    bool allGroups;
    int category;
    bool drawn;
  } cases[] = {
      {"plain area", kACHARE, 26000, false, 1, true},
      {"coverage", kCoverage, 26000, false, 1, false},
      {"mariner's group 31000", kACHARE, 31000, false, 1, false},
      {"mariner's group 31080", kACHARE, 31080, false, 1, false},
      {"group 31081", kACHARE, 31081, false, 1, true},
      {"group 30999", kACHARE, 30999, false, 1, true},
      {"mariner's group, all groups shown", kACHARE, 31000, true, 1, true},
      {"category other in standard display", kACHARE, 26000, false, 2, false},
  };
  for (const Case& c : cases) {
    settings().allViewingGroups = c.allGroups;
    AreaFeature& area = addArea(c.objectClass, {ac("LANDA")});
    area.display.viewingGroup = c.viewingGroup;
    area.display.secondCategory = c.category;
    EXPECT_EQ(!draw(area).empty(), c.drawn) << c.what;
  }
}

// A category the settings do not admit draws nothing, the procedures'
// instructions included; the procedures still run, as they may change the
// category.
TEST_F(AreaDrawerTest, CategoryEndsTheWalkButProceduresRun) {
  AreaFeature& area = addArea(kDEPARE, {cs("DEPARE02"), ac("LANDA")}, {{"DRVAL1", "5"}});
  area.display.secondCategory = 2;
  EXPECT_TRUE(draw(area).empty());
  EXPECT_TRUE(area.procedureCache.load());
  settings().setDisplayCategory(2);
  EXPECT_EQ(fills(draw(area)), (std::vector<QColor>{token("LANDA"), token("DEPMS")}));
}

TEST_F(AreaDrawerTest, OutlineOutsideTheMarginDrawsNothing) {
  // 150 units left of the viewport is still inside the clipping margin.
  AreaFeature& far = addArea(kDEPARE, {cs("DEPARE02")}, {}, square(-1500, 2000, 1349));
  AreaFeature& near = addArea(kDEPARE, {cs("DEPARE02")}, {}, square(-1500, 2000, 1400));
  EXPECT_TRUE(draw(far).empty());
  EXPECT_FALSE(far.procedureCache.load());  // not even the procedure
  EXPECT_FALSE(draw(near).empty());
}

// Vertices clamped to the ends of the int range (a cell of coordinate
// factor 1 seen close up) are clipped without their differences
// overflowing: the crossings lie where the straight edges meet the bound.
TEST(AreaOutlineClipping, VerticesAtTheEndsOfTheIntRange) {
  AreaOutline in;
  in.add(QPoint(INT_MIN, 0), 1);
  in.add(QPoint(INT_MAX, 0), 1);
  in.add(QPoint(INT_MAX, INT_MAX), 1);
  AreaOutline out;
  clipOutlineStage(in, true, -150, true, out);
  ASSERT_EQ(out.size(), 4);
  // Leaving along the closing edge from (INT_MAX, INT_MAX) to (INT_MIN, 0),
  // then entering again along y = 0.
  EXPECT_EQ(out.points[0].x(), -150);
  EXPECT_NEAR(out.points[0].y(), 2147483647.0 * (2147483648.0 - 150) / 4294967295.0, 1);
  EXPECT_EQ(out.points[1], QPoint(-150, 0));
  EXPECT_EQ(out.points[2], QPoint(INT_MAX, 0));
  EXPECT_EQ(out.points[3], QPoint(INT_MAX, INT_MAX));
  clipOutlineStage(out, false, 23100, false, in);
  for (const QPoint& p : in.points) EXPECT_LE(p.y(), 23100);
}

// Boundary segments run between consecutive vertices; those along a data
// limit (both ends usage 3) are left out, and there is no closing segment.
TEST_F(AreaDrawerTest, BoundarySegmentsAndDataLimits) {
  const std::vector<ChartVertex> ring = {at(1000, 1000, 3), at(3000, 1000, 3), at(3000, 3000, 1), at(1000, 3000, 3),
                                         at(1000, 1500, 3)};
  for (int style : {1, 2}) {
    AreaFeature& area = addArea(kACHARE, {ls(style, 1, "CHBLK")}, {}, ring);
    std::vector<QLineF> lines;
    for (const PaintCall& c : draw(area)) {
      ASSERT_EQ(c.kind, PaintCall::Line);
      EXPECT_EQ(c.pen.width(), 27);
      lines.emplace_back(c.points[0], c.points[1]);
    }
    // 1000,1000 -> 3000,1000 runs along the limit; 1000,3000 -> 1000,1500 too.
    ASSERT_FALSE(lines.empty()) << style;
    EXPECT_EQ(lines.front().p1(), QPointF(3000, 1000)) << style;
    EXPECT_EQ(lines.back().p2(), QPointF(1000, 3000)) << style;
  }
  // Any other style draws nothing.
  EXPECT_TRUE(draw(addArea(kACHARE, {ls(0, 1, "CHBLK")}, {}, ring)).empty());
}

// A procedure that styles edges one by one gives the exterior parts' lists
// first, then the holes': a shoreline construction with an edge of low
// accuracy draws the boundary of its hole too, after the cell's areas.
TEST_F(AreaDrawerTest, StyledEdgesOfHolesAreDrawn) {
  AreaFeature& area = addArea(122, {cs("SLCONS03")}, {}, square(1000, 1000, 2000));
  area.interiorVertices = square(1500, 1500, 500);
  area.findHoles();
  area.exteriorParts = {BoundaryPart{0, 5, {{"402", "4"}}, {}}};  // QUAPOS 4: low accuracy
  area.interiorParts = {BoundaryPart{0, 5, {}, {}}};
  RecordingDevice device;
  {
    QPainter painter(&device);
    DrawContext dc{canvas(painter), settings(), view, buffers};
    buffers.styledEdges.clear();
    drawArea(dc, area, cell);
    drawStyledEdges(dc);
  }
  const auto result = procedureResult(area, cell, settings());
  ASSERT_TRUE(result);
  ASSERT_EQ(result->partInstructions.size(), 2u);
  std::vector<QLineF> hole;
  for (const PaintCall& c : device.calls)
    if (c.kind == PaintCall::Line && c.points[0].x() >= 1500 && c.points[0].x() <= 2000 &&
        c.points[0].y() >= 1500 && c.points[0].y() <= 2000)
      hole.emplace_back(c.points[0], c.points[1]);
  ASSERT_EQ(hole.size(), 4u);  // LS(SOLD,2,CSTLN) round the hole
  EXPECT_EQ(hole.front().p1(), QPointF(1500, 1500));
}

// An area larger than the view: its boundary is drawn where it crosses the
// view, not along the edges of the clipping margin.
TEST_F(AreaDrawerTest, NoBoundaryAlongTheClippingMargin) {
  LineStyleDefinition& style = library().lineStyles["TESTLC01"];
  style.width = 200;
  LineStyleSegment piece;
  piece.colour = colour("CHMGD");
  piece.width = 1;
  piece.commands = {PU(0, 0), PD(100, 0)};
  piece.largestX = 100;
  piece.smallestX = 0;
  style.segments = {piece};
  const Instruction lc = testsupport::lc("TESTLC01");
  // From far left of the view to its middle, from far above to far below.
  const std::vector<ChartVertex> ring = {at(-50000, -50000), at(11500, -50000), at(11500, 80000), at(-50000, 80000),
                                         at(-50000, -50000)};
  for (const Instruction& boundary : {lc, ls(1, 3, "CHBLK")}) {
    AreaFeature& area = addArea(kACHARE, {boundary}, {}, ring);
    const auto calls = draw(area);
    const int kind = static_cast<int>(boundary.kind());
    ASSERT_FALSE(calls.empty()) << kind;
    for (const PaintCall& c : calls) {
      const QRectF box = c.kind == PaintCall::Path ? c.path.boundingRect() : QRectF(c.points[0], c.points[1]).normalized();
      EXPECT_GE(box.left(), 11500 - 300) << kind;  // only along x = 11500
      EXPECT_LE(box.right(), 11500 + 300) << kind;
    }
  }
}

// Fills leave the holes of an area open, so what lies in them (a shoal in a
// dredged area, an island in a depth area) shows; boundaries stay the
// exterior's. Drawn for real, pixel by pixel.
TEST_F(AreaDrawerTest, FillsLeaveHolesOpen) {
  view.viewportWidth = view.viewportHeight = 100 * 23;
  view.centre = {50 * 23, -50 * 23};
  updateOrigin(view);
  const QColor land(200, 180, 120);
  setColour("LANDA", land);
  const auto pixelAt = [](const QImage& image, int x, int y) { return image.pixelColor(x, y); };
  for (const Instruction& fill : {ac("LANDA"), ac("LANDA", 2)}) {
    // 10..90 pixels, with a hole 40..60 made of two edges.
    AreaFeature& area = addArea(kACHARE, {fill}, {}, square(10 * 23, 10 * 23, 80 * 23));
    area.interiorVertices = square(40 * 23, 40 * 23, 20 * 23);
    area.findHoles();
    QImage image = blankImage(100, 100);
    {
      QPainter painter(&image);
      setupPainter(painter, 100, 100, view);
      DrawContext dc{canvas(painter), settings(), view, buffers};
      drawArea(dc, area, cell);
    }
    const int transparency = fill.as<AreaColour>().transparency;
    EXPECT_NE(pixelAt(image, 20, 20).alpha(), 0) << transparency;  // filled
    EXPECT_EQ(pixelAt(image, 50, 50).alpha(), 0) << transparency;  // the hole
    EXPECT_EQ(pixelAt(image, 95, 95).alpha(), 0) << transparency;  // outside
  }
  // Two holes, and a pattern: the pattern stays out of them too.
  PatternDefinition& dots = library().patterns["DOTS0001"];
  dots.fillKind = "LIN";
  dots.minimumDistance = 0;
  dots.width = dots.height = 46;
  dots.commands = {SP(colour("LANDA")), SW(2), PU(0, 0), PD(46, 0), PU(0, 23), PD(46, 23)};
  const Instruction pattern = testsupport::ap("DOTS0001");
  AreaFeature& area = addArea(kACHARE, {pattern}, {}, square(10 * 23, 10 * 23, 80 * 23));
  area.interiorVertices = square(20 * 23, 20 * 23, 20 * 23);
  const auto second = square(60 * 23, 60 * 23, 20 * 23);
  area.interiorVertices.insert(area.interiorVertices.end(), second.begin(), second.end());
  area.findHoles();
  QImage image = blankImage(100, 100);
  {
    QPainter painter(&image);
    setupPainter(painter, 100, 100, view);
    DrawContext dc{canvas(painter), settings(), view, buffers};
    drawArea(dc, area, cell);
  }
  int inHoles = 0, outside = 0;
  for (int y = 22; y < 38; ++y)
    for (int x = 22; x < 38; ++x) inHoles += pixelAt(image, x, y).alpha() != 0 || pixelAt(image, x + 40, y + 40).alpha() != 0;
  for (int y = 42; y < 58; ++y)
    for (int x = 12; x < 18; ++x) outside += pixelAt(image, x, y).alpha() != 0;
  EXPECT_EQ(inHoles, 0);
  EXPECT_GT(outside, 0);
}

TEST_F(AreaDrawerTest, SymbolsAndTextsAtTheCentroid) {
  // An L of three squares 1000 wide: centroid (2500 / 3, 2500 / 3).
  const std::vector<ChartVertex> ring = {at(0, 0), at(2000, 0), at(2000, 1000), at(1000, 1000), at(1000, 2000),
                                         at(0, 2000)};
  AreaFeature& area = addArea(kACHARE, {sy("MARK0001"), sy("MARK0001", "90"), tx("OBJNAM")},
                              {{"OBJNAM", "\xE6\xB9\xBE"}, {"NOBJNM", "Bay"}}, ring);
  const ChartPoint centre = area.centre;
  EXPECT_NEAR(centre.x, 2500.0 / 3, 1e-6);
  EXPECT_NEAR(centre.y, -2500.0 / 3, 1e-6);
  settings().setTextLanguage(2);
  const auto calls = draw(area);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(QPointF(calls[0].path.elementAt(0)), QPointF(833, 833));
  EXPECT_EQ(QPointF(calls[0].path.elementAt(1)), QPointF(933, 833));
  const QPointF turned = calls[1].path.elementAt(1);  // turned 90 degrees clockwise
  EXPECT_NEAR(turned.x(), 833, 1);
  EXPECT_NEAR(turned.y(), 933, 1);
  // The name starts with a Chinese character: the text shows NOBJNM instead.
  EXPECT_EQ(calls[2].kind, PaintCall::Text);
  EXPECT_EQ(calls[2].text, "Bay");
  EXPECT_EQ(buffers.textBoxes.boxes.size(), 1u);
  // Texts switched off: no text, and no box kept.
  settings().setShowText(2);
  buffers.textBoxes.boxes.clear();
  EXPECT_EQ(draw(area).size(), 2u);
  EXPECT_TRUE(buffers.textBoxes.boxes.empty());
}

// A formatted text is made from its attribute when the look-up is chosen;
// without the attribute it draws nothing.
TEST_F(AreaDrawerTest, FormattedTextNeedsItsAttribute) {
  FormattedText te;
  te.format = "by %s";
  te.attribute = "OBJNAM";
  te.horizontal = te.vertical = 1;
  te.xOffset = 0;
  EXPECT_TRUE(draw(addArea(kACHARE, {te})).empty());
  const auto calls = draw(addArea(kACHARE, {te}, {{"OBJNAM", "Pier"}}));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].text, "by Pier");
}

TEST_F(AreaDrawerTest, CentreOfDegenerateOutlines) {
  struct Case {
    const char* what;
    std::vector<ChartVertex> ring;
    ChartPoint centre;
  } cases[] = {
      {"square", square(1000, 1000, 1000), {1500, -1500}},
      {"line", {at(0, 0), at(1000, 0), at(0, 0)}, {500, 0}},
      {"single point", {at(7, 8)}, {7, -8}},
      {"far from the origin", square(1.2e12, 5.9e11, 10), {1.2e12 + 5, -5.9e11 - 5}},
  };
  for (const Case& c : cases) {
    AreaFeature area;
    area.exteriorVertices = c.ring;
    area.updateBounds();
    EXPECT_NEAR(area.centre.x, c.centre.x, 1e-3) << c.what;
    EXPECT_NEAR(area.centre.y, c.centre.y, 1e-3) << c.what;
  }
}

TEST_F(AreaDrawerTest, OutlineClipping) {
  // A square sticking out of the left margin: the crossings take the mark
  // of the vertex being processed.
  AreaFeature area;
  area.exteriorVertices = {at(-1000, 1000, 1), at(1000, 1000, 3), at(1000, 2000, 1), at(-1000, 2000, 3),
                           at(-1000, 1000, 1)};
  area.updateBounds();
  const AreaOutline* outline = projectOutline(area, view, buffers.outline);
  ASSERT_NE(outline, nullptr);
  EXPECT_EQ(outline->points, (std::vector<QPoint>{{-150, 1000}, {1000, 1000}, {1000, 2000}, {-150, 2000}}));
  EXPECT_EQ(outline->usage, (std::vector<std::uint8_t>{3, 3, 1, 3}));

  // Outlines of 50001 vertices or more are not clipped at all.
  AreaFeature big;
  for (int i = 0; i < UNCLIPPED_OUTLINE_VERTICES; ++i) big.exteriorVertices.push_back(at(-100000 + i, 5000 + i % 7));
  big.updateBounds();
  const AreaOutline* all = projectOutline(big, view, buffers.outline);
  ASSERT_NE(all, nullptr);
  EXPECT_EQ(all->size(), UNCLIPPED_OUTLINE_VERTICES);
}
