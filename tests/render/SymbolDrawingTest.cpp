#include <QPainter>

#include "DrawTestSupport.h"
#include "SymbolDrawing.h"

using namespace drawtest;

namespace {
class SymbolDrawingTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    setColour("CHRED", Qt::red);
    setColour("CHBLK", Qt::black);
    setColour("CHGRN", Qt::green);
  }
  // Adds a symbol with its pivot at (100, 100).
  void addSymbol(const std::string& name, std::vector<VectorCommand> commands) {
    SymbolDefinition& s = library().symbols[name];
    s.name = name;
    s.pivotColumn = 100;
    s.pivotRow = 100;
    s.commands = std::move(commands);
  }
  std::vector<PaintCall> draw(const std::string& name, QPointF anchor = {1000, 1000}, int rotation = 0) {
    RecordingDevice device;
    QPainter painter(&device);
    drawSymbol(canvas(painter), anchor, name, rotation);
    painter.end();
    return device.calls;
  }
};
}  // namespace

// Every line of a symbol goes into one path, stroked once with the pen in
// force at the end: a colour change without a new width changes nothing.
TEST_F(SymbolDrawingTest, LinesShareOnePathAndTheLastPen) {
  addSymbol("TWOLINES", {SP(colour("CHRED")), SW(1), PU(100, 100), PD(200, 100), SP(colour("CHBLK")),
                         PU(100, 150), PD(200, 150)});
  const auto calls = draw("TWOLINES");
  ASSERT_EQ(calls.size(), 1u);
  ASSERT_EQ(calls[0].kind, PaintCall::Path);
  EXPECT_EQ(calls[0].pen.color(), QColor(Qt::red));
  EXPECT_EQ(calls[0].pen.width(), 27);
  EXPECT_EQ(calls[0].brush.style(), Qt::NoBrush);
  // Pivot (100, 100) on the anchor (1000, 1000).
  const QPainterPath& path = calls[0].path;
  ASSERT_EQ(path.elementCount(), 4);
  EXPECT_EQ(QPointF(path.elementAt(0)), QPointF(1000, 1000));
  EXPECT_EQ(QPointF(path.elementAt(1)), QPointF(1100, 1000));
  EXPECT_EQ(QPointF(path.elementAt(3)), QPointF(1100, 1050));
}

TEST_F(SymbolDrawingTest, RotationTurnsClockwiseAboutTheAnchor) {
  addSymbol("ARROW", {SP(colour("CHBLK")), SW(1), PU(100, 100), PD(200, 100)});
  struct Case {
    int rotation;
    QPointF end;
  } cases[] = {
      {0, {1100, 1000}},
      {90, {1000, 1100}},   // east turns south on the screen
      {180, {900, 1000}},
      {-90, {1000, 900}},
  };
  for (const Case& c : cases) {
    const auto calls = draw("ARROW", {1000, 1000}, c.rotation);
    ASSERT_EQ(calls.size(), 1u);
    const QPointF end = calls[0].path.elementAt(1);
    EXPECT_NEAR(end.x(), c.end.x(), 1) << c.rotation;
    EXPECT_NEAR(end.y(), c.end.y(), 1) << c.rotation;
  }
}

TEST_F(SymbolDrawingTest, PolygonsCirclesTransparencyAndDots) {
  addSymbol("MIXED", {
                         SP(colour("CHGRN")), ST(3), PU(100, 100), PM(0), PD(200, 100), PD(200, 200), PM(2),
                         CI(50),              // after the polygon: brush none again
                         PM(0), CI(20), PM(2),  // a filled circle
                         PU(150, 150), PD(0, 0),  // a dot at the last pen-up
                     });
  const auto calls = draw("MIXED");
  ASSERT_EQ(calls.size(), 4u);  // the path holds no line: not drawn
  // The polygon starts at the pen position, filled and outlined 23 wide, alpha 63.
  EXPECT_EQ(calls[0].kind, PaintCall::Polygon);
  EXPECT_EQ(calls[0].points, QPolygonF({{1000, 1000}, {1100, 1000}, {1100, 1100}}));
  EXPECT_EQ(calls[0].brush.color(), QColor(0, 255, 0, 63));
  EXPECT_EQ(calls[0].pen.width(), 23);
  // A circle after the polygon is only outlined.
  EXPECT_EQ(calls[1].kind, PaintCall::Ellipse);
  EXPECT_EQ(calls[1].points[0], QPointF(950, 950));
  EXPECT_EQ(calls[1].brush.style(), Qt::NoBrush);
  // Inside polygon mode with a single vertex the circle is filled.
  EXPECT_EQ(calls[2].kind, PaintCall::Ellipse);
  EXPECT_EQ(calls[2].brush.style(), Qt::SolidPattern);
  // PD 0,0: a plain pen and one point at the current position.
  EXPECT_EQ(calls[3].kind, PaintCall::Points);
  EXPECT_EQ(calls[3].points[0], QPointF(1050, 1050));
  EXPECT_EQ(calls[3].pen.color(), QColor(0, 255, 0, 63));
}

TEST_F(SymbolDrawingTest, SymbolEndingInPolygonModeStrokesWithThePolygonPen) {
  addSymbol("OPEN", {SP(colour("CHRED")), SW(2), PU(100, 100), PD(150, 100), PM(0), PD(200, 200)});
  const auto calls = draw("OPEN");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].pen.width(), 23);
  EXPECT_EQ(calls[0].brush.style(), Qt::SolidPattern);
}

TEST_F(SymbolDrawingTest, UnknownOrEmptySymbolDrawsNothing) {
  addSymbol("EMPTY", {});
  EXPECT_TRUE(draw("NOSUCH01").empty());
  EXPECT_TRUE(draw("EMPTY").empty());
}

// A line before any pen-up starts at the pivot, not at the window's corner.
TEST_F(SymbolDrawingTest, LineWithoutPenUpStartsAtThePivot) {
  addSymbol("NOPU", {SP(colour("CHRED")), SW(1), PD(200, 100)});
  const auto calls = draw("NOPU");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(QPointF(calls[0].path.elementAt(0)), QPointF(1000, 1000));
  EXPECT_EQ(QPointF(calls[0].path.elementAt(1)), QPointF(1100, 1000));
}
