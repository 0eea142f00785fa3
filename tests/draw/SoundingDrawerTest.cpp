// Drawing soundings: only those on the drawing surface, their figures made
// for the safety contour of the pass, whatever the symbol style.
#include <QPainter>

#include "DrawTestSupport.h"
#include "TestView.h"
#include "SoundingDrawer.h"
#include "SoundingSymbols.h"

using namespace drawtest;
using testsupport::testView;

namespace {
class SoundingDrawerTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    settings().setContourSet(10);
    const Instruction procedure = ProcedureCall{"SOUNDG02"};
    feature.secondLookup = {{procedure}};
    feature.display.secondCategory = 2;
    // Every digit symbol marks its pivot with
    // a line 100 long, SOUNDS in one colour and SOUNDG in another.
    setColour("CHBLK", QColor(0, 0, 0));
    setColour("CHGRD", QColor(100, 100, 100));
    for (const char* prefix : {"SOUNDS", "SOUNDG"})
      for (char row = '0'; row <= '9'; ++row)
        for (char digit = '0'; digit <= '9'; ++digit) {
          SymbolDefinition& s = library().symbols[std::string(prefix) + row + digit];
          s.commands = {SP(colour(prefix[5] == 'S' ? "CHBLK" : "CHGRD")), SW(1), PU(0, 0), PD(100, 0)};
        }
  }

  Sounding& add(double x, double y, float depth) {
    Sounding s;
    s.x = x;
    s.y = -y;
    s.depth = depth;
    feature.soundings.push_back(s);
    return feature.soundings.back();
  }

  // The pivots of the symbols drawn. The marks come as filled stroke
  // outlines: a line 100 long stroked 27 wide with square caps.
  std::vector<QPointF> draw() {
    RecordingDevice device;
    QPainter painter(&device);
    DrawContext dc{canvas(painter), settings(), view, buffers};
    drawSoundings(dc, feature, cell);
    painter.end();
    std::vector<QPointF> pivots;
    colours.clear();
    for (const PaintCall& c : device.calls) {
      if (c.kind != PaintCall::Path) continue;
      const QRectF box = c.transform.map(c.path).boundingRect();
      pivots.push_back(QPointF(box.left() + box.height() / 2, box.center().y()));
      colours.push_back(c.pen.style() == Qt::NoPen ? c.brush.color() : c.pen.color());
    }
    return pivots;
  }

  S57Cell cell;
  SoundingFeature feature;
  ViewGeometry view = testView();
  DrawBuffers buffers;
  std::vector<QColor> colours;  // of the calls of the last draw
};
}  // namespace

// A sounding on an edge of the surface is drawn, one unit beyond it is not.
TEST_F(SoundingDrawerTest, OnlySoundingsOnTheSurfaceAreDrawn) {
  struct Case {
    double x, y;
    bool drawn;
  } cases[] = {
      {0, 0, true},         {23000, 23000, true}, {23000, 500, true},  {23001, 500, false},
      {-1, 500, false},     {500, 23001, false},  {500, -1, false},    {-0.5, 500, false},
  };
  for (const Case& c : cases) {
    feature.soundings.clear();
    add(c.x, c.y, 7);
    const auto pivots = draw();
    EXPECT_EQ(!pivots.empty(), c.drawn) << c.x << ", " << c.y;
    for (const QPointF& p : pivots) EXPECT_EQ(p, QPointF(c.x, c.y));
  }
}

// The figures follow the safety contour at the next pass, and the symbol
// style does not matter: the simplified look-up is always used.
TEST_F(SoundingDrawerTest, FiguresFollowTheSafetyContourNotTheSymbolStyle) {
  add(1000, 1000, 7);
  std::vector<Instruction> expected;
  soundingSymbols(feature, 7, settings(), expected);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(draw().size(), expected.size());
  EXPECT_EQ(colours.front(), QColor(0, 0, 0));  // SOUNDS: not deeper than the safety contour 10

  settings().setContourSet(5);
  draw();
  EXPECT_EQ(colours.front(), QColor(100, 100, 100));  // SOUNDG: deeper than the safety contour 5

  settings().setSymbolStyle(1);  // paper-chart symbols: the first look-up is empty
  EXPECT_EQ(draw().size(), expected.size());
}

// Without a procedure in the look-up a sounding has no figure.
TEST_F(SoundingDrawerTest, NoProcedureNoFigure) {
  feature.secondLookup.instructions.clear();
  add(1000, 1000, 7);
  EXPECT_TRUE(draw().empty());
}
