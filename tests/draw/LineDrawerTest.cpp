// Drawing line features: visibility, thinning and clipping, when the
// procedures run again, the per-edge styles they build, and the instruction
// kinds over the line.
#include <QPainter>

#include "ColourPens.h"
#include "ColourToken.h"
#include "DrawTestSupport.h"
#include "TestView.h"
#include "FeaturePortrayal.h"
#include "InstructionExecutor.h"
#include "LineDrawer.h"
#include "ProcedureFixtures.h"
#include "TestInstructions.h"

using namespace drawtest;
using testsupport::testView;

namespace {
// The two ends of a recorded line.
QPolygonF segment(const QPointF& a, const QPointF& b) { return QPolygonF(QVector<QPointF>{a, b}); }

constexpr int kCOALNE = 30, kDEPCNT = 43, kSLCONS = 122, kOBSTRN = 86, kNAVLNE = 85;

// A vertex given in logical units.
ChartVertex at(double x, double y) { return ChartVertex{{x, -y}, 0}; }

using testsupport::cs;
using testsupport::sy;
// An LS of dash 1 solid, 2 dashed, 3 dotted, 0 unknown.
Instruction ls(int dash, int width, const char* token) {
  return testsupport::ls(static_cast<LineDash>(dash), width, token);
}
Instruction ac(const char* token) { return testsupport::ac(token, 2); }

// One edge of a line: its vertices and the QUAPOS of the edge ("" = none).
struct Edge {
  std::vector<ChartVertex> vertices;
  std::string quapos;
};

class LineDrawerTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    int shade = 10;
    for (const char* t : {"CSTLN", "CHMGF", "CHBLK", "DEPCN", "CHMGD", "DEPVS"}) setColour(t, QColor(shade, 0, 0)), shade += 20;
    settings().setContourSet(10);
    // A symbol that marks its pivot: a line from it 100 to the right.
    SymbolDefinition& mark = library().symbols["MARK0001"];
    mark.commands = {SP(colour("CHBLK")), SW(1), PU(0, 0), PD(100, 0)};
    library().symbols["ISODGR01"] = mark;
    // LOWACC21 as a plain CHMGD line style.
    LineStyleDefinition& lowAccuracy = library().lineStyles["LOWACC21"];
    lowAccuracy.name = "LOWACC21";
    LineStyleSegment segment;
    segment.colour = colour("CHMGD");
    segment.width = 1;
    segment.commands = {PU(0, 0), PD(100, 0)};
    segment.smallestX = 0;
    segment.largestX = 100;
    lowAccuracy.segments = {segment};
  }

  // A line of `objectClass` whose look-up (both results, category 1) is
  // `instructions`, made of the edges in order.
  LineFeature& addLine(int objectClass, std::vector<Instruction> instructions, std::vector<Edge> edges,
                       std::vector<FeatureAttribute> attributes = {}) {
    auto line = std::make_unique<LineFeature>();
    line->objectClass = objectClass;
    line->attributes = std::move(attributes);
    line->firstLookup = {instructions};
    line->display.firstCategory = 1;
    line->secondLookup = {std::move(instructions)};
    line->display.secondCategory = 1;
    for (Edge& e : edges) {
      BoundaryPart part;
      part.offset = static_cast<std::uint32_t>(line->vertices.size());
      part.count = static_cast<std::uint32_t>(e.vertices.size());
      if (!e.quapos.empty()) part.edgeAttributes.push_back({"402", e.quapos});
      line->parts.push_back(std::move(part));
      line->vertices.insert(line->vertices.end(), e.vertices.begin(), e.vertices.end());
    }
    cell.lines.push_back(std::move(line));
    return *cell.lines.back();
  }
  // One straight edge along y = 1000 from x = 1000 to 9000.
  LineFeature& addStraightLine(int objectClass, std::vector<Instruction> instructions,
                               std::vector<FeatureAttribute> attributes = {}) {
    return addLine(objectClass, std::move(instructions), {{{at(1000, 1000), at(9000, 1000)}, ""}},
                   std::move(attributes));
  }

  std::vector<PaintCall> draw(const LineFeature& line) {
    RecordingDevice device;
    QPainter painter(&device);
    DrawContext dc{canvas(painter), settings(), view, buffers};
    drawLine(dc, line, cell);
    painter.end();
    return device.calls;
  }

  // The result the line's procedures keep, null when none ran.
  std::shared_ptr<const ProcedureResult> kept(const LineFeature& line) { return line.procedureCache.load(); }

  // The instructions of every edge, as kind/name/style/width.
  std::vector<std::string> edgeStyles(const LineFeature& line) {
    std::vector<std::string> out;
    const auto result = procedureResult(line, cell, settings());
    if (!result) return out;
    for (const std::vector<Instruction>& edge : result->partInstructions) {
      std::string s;
      for (const Instruction& i : edge) {
        if (!s.empty()) s += " + ";
        if (const ComplexLine* complex = i.find<ComplexLine>()) {
          s += "LC " + complex->name;
        } else {
          const LineStyle& l = i.as<LineStyle>();
          s += "LS " + std::to_string(static_cast<int>(l.dash)) + "," + std::to_string(l.width) + "," +
               std::string(colourToken(l.colour));
        }
      }
      out.push_back(s);
    }
    return out;
  }
  QColor token(const char* t) { return colourOf(*settings().colourTable, colourIndex(t)); }

  S57Cell cell;
  ViewGeometry view = testView();
  DrawBuffers buffers;
};

std::vector<PaintCall> linesOf(const std::vector<PaintCall>& calls) {
  std::vector<PaintCall> out;
  for (const PaintCall& c : calls)
    if (c.kind == PaintCall::Line) out.push_back(c);
  return out;
}
}  // namespace

TEST_F(LineDrawerTest, DepthContoursFollowTheirSwitchOtherLinesTheCategory) {
  struct Case {
    const char* what;
    int objectClass;
    int category;  // of the look-up
    bool showDepthContours;
    int displayCategory;
    bool drawn;
  } cases[] = {
      {"contour of category other, contours off", kDEPCNT, 2, false, 2, false},
      {"contour of category other, contours on, base display", kDEPCNT, 2, true, 0, true},
      {"contour of category base, contours off", kDEPCNT, 0, false, 2, false},
      {"other line of category other, standard display", kNAVLNE, 2, false, 1, false},
      {"other line of category other, all shown", kNAVLNE, 2, false, 2, true},
      {"other line of category standard, contours on", kNAVLNE, 1, true, 1, true},
  };
  for (const Case& c : cases) {
    settings().showDepthContours = c.showDepthContours;
    settings().setDisplayCategory(c.displayCategory);
    LineFeature& line = addStraightLine(c.objectClass, {ls(1, 1, "CHBLK")});
    line.display.secondCategory = c.category;
    EXPECT_EQ(!draw(line).empty(), c.drawn) << c.what;
  }
}

// Nothing of a line that thinning or clipping reduces to one point is drawn,
// and its procedures do not run.
TEST_F(LineDrawerTest, LinesReducedToOnePointDrawNothing) {
  struct Case {
    const char* what;
    std::vector<ChartVertex> vertices;
    bool drawn;
  } cases[] = {
      {"all in one 31.25-unit grid cell", {at(1000, 1000), at(1010, 1005), at(1030, 1030)}, false},
      {"into the next grid cell", {at(1000, 1000), at(1010, 1005), at(1040, 1030)}, true},
      {"wholly left of the margin", {at(-9000, 1000), at(-151, 1000)}, false},
      {"reaching into the margin", {at(-9000, 1000), at(-140, 1000)}, true},
      {"wholly below the margin", {at(1000, 23101), at(9000, 30000)}, false},
  };
  for (const Case& c : cases) {
    LineFeature& line = addLine(kCOALNE, {ls(1, 1, "CHBLK"), cs("QUAPOS01")}, {{c.vertices, ""}});
    EXPECT_EQ(!draw(line).empty(), c.drawn) << c.what;
    EXPECT_EQ(kept(line) != nullptr, c.drawn) << c.what;
  }
}

// A line's procedures run once for the settings they read and their result
// is kept: the next pass reuses it, a change of a setting they read makes a
// new one, a change of another setting does not.
TEST_F(LineDrawerTest, ProceduresRunAgainOnlyWhenASettingTheyReadChanges) {
  struct Case {
    const char* procedure;
    int objectClass;
    bool rerunAfterContourChange;
    bool rerunAfterLabelChange;
  } cases[] = {
      {"SLCONS03", kSLCONS, false, false},
      {"QUAPOS01", kCOALNE, false, false},
      {"OBSTRN06", kOBSTRN, true, false},
      {"DEPCNT03", kDEPCNT, true, true},  // the safety contour may move
  };
  for (const Case& c : cases) {
    settings().showDepthContours = true;
    settings().contourLabels = true;
    settings().setContourSet(10);
    LineFeature& line = addStraightLine(c.objectClass, {cs(c.procedure)}, {{"VALDCO", "20"}});
    draw(line);
    const auto first = kept(line);
    ASSERT_TRUE(first) << c.procedure;
    draw(line);
    EXPECT_EQ(kept(line), first) << c.procedure;
    settings().setContourSet(5);
    draw(line);
    const auto second = kept(line);
    EXPECT_EQ(second != first, c.rerunAfterContourChange) << c.procedure;
    settings().contourLabels = false;
    draw(line);
    EXPECT_EQ(kept(line) != second, c.rerunAfterLabelChange) << c.procedure;
  }
  // An unknown procedure does nothing.
  LineFeature& other = addStraightLine(kNAVLNE, {cs("NOSUCH01")});
  EXPECT_TRUE(draw(other).empty());
  EXPECT_FALSE(kept(other));
}

// A shoreline construction with QUAPOS 4 on one edge: LOWACC21 along that
// edge, the CONDTN style (dashed, width 1) along the other.
TEST_F(LineDrawerTest, ShorelineConstructionStylesEachEdge) {
  LineFeature& line = addLine(kSLCONS, {cs("SLCONS03")},
                              {{{at(1000, 1000), at(5000, 1000)}, "4"}, {{at(5000, 1000), at(9000, 1000)}, "10"}},
                              {{"CONDTN", "1"}});
  const auto drawn = draw(line);
  EXPECT_EQ(edgeStyles(line), (std::vector<std::string>{"LC LOWACC21", "LS 2,1,CSTLN"}));
  int lowAccuracy = 0, dashes = 0;
  for (const PaintCall& c : drawn) {
    const QRectF box = c.kind == PaintCall::Path ? c.path.boundingRect() : c.points.boundingRect();
    if (c.pen.color() == token("CHMGD")) {
      ++lowAccuracy;
      EXPECT_LE(box.right(), 5000);
    } else {
      ++dashes;
      EXPECT_EQ(c.kind, PaintCall::Line);
      EXPECT_EQ(c.pen.color(), token("CSTLN"));
      EXPECT_EQ(c.pen.width(), penWidthUnits(1));
      EXPECT_GE(box.left(), 5000);
    }
  }
  EXPECT_GT(lowAccuracy, 0);
  EXPECT_EQ(dashes, 8);  // 4000 units: 7 whole periods of 540 and a last piece
}

// A radar-conspicuous coastline draws a 3-wide CHMGF line under the 1-wide
// CSTLN line (an edge of low accuracy gets LOWACC21 instead: see the line
// procedure tests).
TEST_F(LineDrawerTest, RadarConspicuousCoastlineDrawsADoubleLine) {
  struct Case {
    const char* quapos;
    std::vector<std::pair<const char*, int>> pens;  // colour and width, in drawing order
  } cases[] = {
      {"", {{"CHMGF", 3}, {"CSTLN", 1}}},
      {"10", {{"CHMGF", 3}, {"CSTLN", 1}}},
  };
  for (const Case& c : cases) {
    LineFeature& line =
        addLine(kCOALNE, {cs("QUAPOS01")}, {{{at(1000, 1000), at(9000, 1000)}, c.quapos}}, {{"CONRAD", "1"}});
    const auto drawn = linesOf(draw(line));
    ASSERT_EQ(drawn.size(), c.pens.size()) << c.quapos;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      EXPECT_EQ(drawn[i].pen.color(), token(c.pens[i].first)) << c.quapos;
      EXPECT_EQ(drawn[i].pen.width(), penWidthUnits(c.pens[i].second)) << c.quapos;
      EXPECT_EQ(drawn[i].points, segment(QPointF(1000, 1000), QPointF(9000, 1000))) << c.quapos;
    }
  }
}

// Contour edges are dashed where their position is of low accuracy; the
// contour at the safety contour's depth is DEPSC, 2 wide, and shows with
// depth contours switched off, the others only with them on.
TEST_F(LineDrawerTest, DepthContourEdgesAndTheSafetyContour) {
  settings().contourLabels = false;
  const std::vector<Edge> edges = {{{at(1000, 1000), at(5000, 1000)}, "10"}, {{at(5000, 1000), at(9000, 1000)}, "5"}};
  LineFeature& deeper = addLine(kDEPCNT, {cs("DEPCNT03")}, edges, {{"VALDCO", "20"}});
  LineFeature& safety = addLine(kDEPCNT, {cs("DEPCNT03")}, edges, {{"VALDCO", "10"}});
  for (bool contours : {true, false}) {
    settings().showDepthContours = contours;
    EXPECT_EQ(!draw(deeper).empty(), contours);
    EXPECT_FALSE(draw(safety).empty());
  }
  EXPECT_EQ(edgeStyles(deeper), (std::vector<std::string>{"LS 1,1,DEPCN", "LS 2,1,DEPCN"}));
  EXPECT_EQ(edgeStyles(safety), (std::vector<std::string>{"LS 1,2,DEPSC", "LS 2,2,DEPSC"}));
  // Contour set 5: no contour at 5, so the next deeper, 10, is the safety contour.
  settings().setContourSet(5);
  EXPECT_EQ(edgeStyles(safety), (std::vector<std::string>{"LS 1,2,DEPSC", "LS 2,2,DEPSC"}));
  settings().setContourSet(20);
  EXPECT_EQ(edgeStyles(safety), (std::vector<std::string>{"LS 1,1,DEPCN", "LS 2,1,DEPCN"}));
  EXPECT_EQ(edgeStyles(deeper), (std::vector<std::string>{"LS 1,2,DEPSC", "LS 2,2,DEPSC"}));
}

// Edges are clipped to the margin around the viewport, like the whole line:
// where an edge leaves and comes back, the piece that joins the crossings
// runs outside the picture, not along its border.
TEST_F(LineDrawerTest, EdgesAreClippedToTheMargin) {
  struct Case {
    std::vector<ChartVertex> vertices;
    std::vector<QPolygonF> lines;
  } cases[] = {
      {{at(-9000, 1000), at(30000, 1000)}, {segment(QPointF(-150, 1000), QPointF(23100, 1000))}},
      {{at(1000, 1000), at(-1000, 2000), at(1000, 3000)},
       {segment(QPointF(1000, 1000), QPointF(-150, 1575)), segment(QPointF(-150, 1575), QPointF(-150, 2425)),
        segment(QPointF(-150, 2425), QPointF(1000, 3000))}},
  };
  for (const Case& c : cases) {
    LineFeature& line = addLine(kCOALNE, {cs("QUAPOS01")}, {{c.vertices, ""}});
    std::vector<QPolygonF> drawn;
    for (const PaintCall& call : linesOf(draw(line))) drawn.push_back(call.points);
    EXPECT_EQ(drawn, c.lines);
  }
}

// Symbols go to the middle vertex of the whole line (the midpoint of a
// two-point line); the procedure output list is drawn along the whole line.
TEST_F(LineDrawerTest, SymbolsAtTheMiddleOfTheLine) {
  struct Case {
    std::vector<Edge> edges;
    QPointF anchor;
  } cases[] = {
      {{{{at(1000, 1000), at(9000, 3000)}, ""}}, QPointF(5000, 2000)},
      {{{{at(1000, 1000), at(2000, 3000), at(9000, 3000)}, ""}}, QPointF(2000, 3000)},
      {{{{at(1000, 1000), at(2000, 3000)}, ""}, {{at(2000, 3000), at(9000, 3000)}, ""}}, QPointF(2000, 3000)},
  };
  for (const Case& c : cases) {
    LineFeature& line = addLine(kNAVLNE, {sy("MARK0001")}, c.edges);
    EXPECT_EQ(lineAnchor(line, view), c.anchor);
    const auto drawn = draw(line);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].path.elementAt(0), c.anchor);
  }

  // A dangerous obstruction line: its symbol from the procedure goes to the
  // middle too, its edges get their styles.
  fixtures::addArea(cell, 42, -10000, -10000, 10000, 30000, {{"DRVAL1", "20"}, {"DRVAL2", "30"}});
  LineFeature& line = addStraightLine(kOBSTRN, {cs("OBSTRN06")}, {{"VALSOU", "2"}});
  const auto result = procedureResult(line, cell, settings());
  ASSERT_TRUE(result);
  ASSERT_EQ(result->instructions.size(), 1u);
  EXPECT_EQ(result->instructions[0].as<Symbol>().name, "ISODGR01");
  const auto drawn = draw(line);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].path.elementAt(0), QPointF(5000, 1000));
  EXPECT_EQ(drawn[1].points, segment(QPointF(1000, 1000), QPointF(9000, 1000)));
}

// A line never fills, closed or not: a fill over a contour's ring would
// cover whatever lies inside it, land included.
TEST_F(LineDrawerTest, LinesNeverFill) {
  const std::vector<std::vector<ChartVertex>> rings = {
      {at(1000, 1000), at(9000, 1000), at(9000, 9000)},
      {at(1000, 1000), at(9000, 1000), at(9000, 9000), at(1010, 1010)},
  };
  for (const auto& ring : rings) {
    LineFeature& line = addLine(kNAVLNE, {ac("DEPVS"), ls(1, 1, "CHBLK")}, {{ring, ""}});
    for (const PaintCall& c : draw(line)) EXPECT_NE(c.kind, PaintCall::Polygon);
  }
}
