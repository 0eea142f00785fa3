#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ComplexLines.h"
#include "DrawTestSupport.h"
#include "StrokeClipping.h"

using namespace drawtest;

namespace {
class ComplexLineTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    setColour("CHMGD", QColor(200, 0, 200));
    // Period 200 + 310 = 510; the symbol is a line 100 long from the pivot.
    addStyle("TESTLC01", 200, {{0, 100}});
  }
  // A style whose pieces are single lines from smallestX to largestX.
  void addStyle(const std::string& name, int width, std::vector<std::pair<int, int>> pieces) {
    LineStyleDefinition& s = library().lineStyles[name];
    s.name = name;
    s.width = width;
    for (auto [from, to] : pieces) {
      LineStyleSegment segment;
      segment.colour = colour("CHMGD");
      segment.width = 1;
      segment.commands = {PU(from, 0), PD(to, 0)};
      segment.smallestX = from;
      segment.largestX = to;
      s.segments.push_back(segment);
    }
  }
};

std::vector<QLineF> lines(const std::vector<PaintCall>& calls) {
  std::vector<QLineF> out;
  for (const PaintCall& c : calls)
    if (c.kind == PaintCall::Line) out.emplace_back(c.points[0], c.points[1]);
  return out;
}

// The pieces of the symbol paths, as lines.
std::vector<QLineF> symbolPieces(const std::vector<PaintCall>& calls) {
  std::vector<QLineF> out;
  for (const PaintCall& c : calls) {
    if (c.kind != PaintCall::Path) continue;
    for (int i = 0; i + 1 < c.path.elementCount(); i += 2) out.emplace_back(c.path.elementAt(i), c.path.elementAt(i + 1));
  }
  return out;
}
}  // namespace

// Short segments show pieces and gaps only, carried across vertices.
TEST_F(ComplexLineTest, ShortSegmentsCarryThePhase) {
  RecordingDevice device;
  QPainter painter(&device);
  ComplexLineState state;
  struct Step {
    QPointF a, b;
    int phase;
    double distance;
  } steps[] = {
      {{0, 0}, {300, 0}, 2, 300},     // 300 < 360: one straight line, still in the piece
      {{300, 0}, {500, 0}, 1, 140},   // 60 more of the piece, then 140 of the gap
      {{500, 0}, {800, 0}, 2, 260},   // the gap ends at 540, a piece runs to the end
  };
  for (const Step& s : steps) {
    EXPECT_EQ(drawComplexSegment(canvas(painter), s.a, s.b, "TESTLC01", state), 0);
    EXPECT_EQ(state.phase, s.phase) << s.b.x();
    EXPECT_DOUBLE_EQ(state.distance, s.distance) << s.b.x();
  }
  painter.end();
  EXPECT_EQ(lines(device.calls), (std::vector<QLineF>{{0, 0, 300, 0}, {300, 0, 360, 0}, {540, 0, 800, 0}}));
  EXPECT_TRUE(symbolPieces(device.calls).empty());
  for (const PaintCall& c : device.calls) {
    EXPECT_EQ(c.pen.color(), QColor(200, 0, 200));
    EXPECT_EQ(c.pen.width(), 27);
  }
}

// 2000 units, period 510: three repetitions, the piece once more in the
// remaining 470, then a gap and a line piece to the end.
TEST_F(ComplexLineTest, LongSegmentRepeatsTheSymbol) {
  RecordingDevice device;
  QPainter painter(&device);
  ComplexLineState state;
  EXPECT_EQ(drawComplexSegment(canvas(painter), QPointF(0, 0), QPointF(0, 2000), "TESTLC01", state), 1);
  painter.end();
  // Along +y the style's x axis points down the screen.
  EXPECT_EQ(symbolPieces(device.calls), (std::vector<QLineF>{{0, 0, 0, 100},
                                                            {0, 510, 0, 610},
                                                            {0, 1020, 0, 1120},
                                                            {0, 1530, 0, 1630}}));
  EXPECT_EQ(lines(device.calls), (std::vector<QLineF>{{0, 1810, 0, 2000}}));
  EXPECT_EQ(state.phase, 2);
  EXPECT_DOUBLE_EQ(state.distance, 190);
}

// After a piece of the previous segment, the phase change of a long
// segment leads into the symbol.
TEST_F(ComplexLineTest, SymbolAfterAPhaseChange) {
  RecordingDevice device;
  QPainter painter(&device);
  const QPoint polyline[] = {{0, 0}, {300, 0}, {300, 1000}};
  drawComplexLine(canvas(painter), "TESTLC01", polyline, 3);
  painter.end();
  EXPECT_EQ(lines(device.calls),
            (std::vector<QLineF>{{0, 0, 300, 0}, {300, 0, 300, 60}, {300, 850, 300, 1000}}));
  EXPECT_EQ(symbolPieces(device.calls), (std::vector<QLineF>{{300, 60, 300, 160}, {300, 570, 300, 670}}));
}

// In the remainder, pieces overlapping in x the first piece that does not
// fit are left out with it.
TEST_F(ComplexLineTest, RemainderLeavesOutOverlappingPieces) {
  struct Case {
    int secondFrom;
    std::size_t pieces;
  } cases[] = {{50, 2}, {150, 3}};
  for (const Case& c : cases) {
    library().lineStyles.erase("TWOPART1");
    addStyle("TWOPART1", 600, {{0, 100}, {c.secondFrom, 800}});  // period 910
    RecordingDevice device;
    QPainter painter(&device);
    ComplexLineState state;
    drawComplexSegment(canvas(painter), QPointF(0, 0), QPointF(1300, 0), "TWOPART1", state);  // 390 left
    painter.end();
    EXPECT_EQ(symbolPieces(device.calls).size(), c.pieces) << c.secondFrom;
  }
}

// A segment far longer than the recording surface (100000 units and a
// margin): the repetitions off it are stepped over, and the ones on it
// stand where the unclipped pattern puts them.
TEST_F(ComplexLineTest, RepetitionsOffTheSurfaceAreNotDrawn) {
  for (const QLineF segment : {QLineF(-1e9, 500, 50000, 500), QLineF(0, 500, 1e12, 500)}) {
    RecordingDevice device;
    QPainter painter(&device);
    ComplexLineState state;
    EXPECT_EQ(drawComplexSegment(canvas(painter), segment.p1(), segment.p2(), "TESTLC01", state), 1);
    painter.end();
    const std::vector<QLineF> pieces = symbolPieces(device.calls);
    ASSERT_FALSE(pieces.empty());
    EXPECT_LT(pieces.size(), 250u) << segment.x1();  // about 100000 / 510 on the surface
    for (const QLineF& piece : pieces) EXPECT_NEAR(std::remainder(piece.x1() - segment.x1(), 510.0), 0, 1);
    // Every repetition that could show is there: from left of the surface
    // (or the segment's start) to right of it (or the segment's end).
    const double left = std::max(segment.x1(), -STROKE_CLIP_MARGIN), right = std::min(segment.x2(), 100000.0);
    EXPECT_LE(pieces.front().x1(), left) << segment.x1();
    EXPECT_GE(pieces.front().x1(), left - 4 * STROKE_CLIP_MARGIN) << segment.x1();
    EXPECT_GE(pieces.back().x1(), right - 510) << segment.x1();
  }
}

TEST_F(ComplexLineTest, UnknownStyleDrawsNothingAndKeepsThePen) {
  RecordingDevice device;
  QPainter painter(&device);
  const QPen pen(QColor(1, 2, 3), 77);
  painter.setPen(pen);
  ComplexLineState state;
  EXPECT_EQ(drawComplexSegment(canvas(painter), QPointF(0, 0), QPointF(5000, 0), "NOSUCH01", state), 0);
  EXPECT_EQ(painter.pen(), pen);
  painter.end();
  EXPECT_TRUE(device.calls.empty());
}
