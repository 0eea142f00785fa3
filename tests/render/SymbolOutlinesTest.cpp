// Plain symbols drawn from their cached stroke outlines give the pixels of
// drawSymbol; every other symbol is left to drawSymbol.
#include <QPainter>

#include "ColourPens.h"
#include "DrawTestSupport.h"
#include "SymbolDrawing.h"
#include "SymbolOutlines.h"

using namespace drawtest;

namespace {
class SymbolOutlinesTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    setColour("CHBLK", QColor(0, 0, 0));
    setColour("CHMGD", QColor(200, 0, 200));
    setColour("LITRD", QColor(255, 0, 0));
  }

  SymbolDefinition& define(const std::string& name, std::vector<VectorCommand> commands) {
    SymbolDefinition& s = library().symbols[name];
    s.name = name;
    s.pivotColumn = 300;
    s.pivotRow = 200;
    s.commands = std::move(commands);
    return s;
  }

  // The symbol drawn at a few anchors, 23 logical units to the pixel as in
  // the chart, by drawSymbol or by drawSymbolFast.
  QImage picture(const std::string& name, bool fast, int rotation = 0) {
    QImage image = blankImage(120, 80);
    QPainter painter(&image);
    painter.setWindow(0, 0, 120 * 23, 80 * 23);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const QPointF& at : {QPointF(400, 400), QPointF(1234.7, 987.3), QPointF(2000.5, 1500.25)}) {
      if (fast)
        drawSymbolFast(canvas(painter), at, name, rotation);
      else
        drawSymbol(canvas(painter), at, name, rotation);
    }
    return image;
  }

  std::vector<PaintCall> record(const std::string& name, bool fast, int rotation = 0) {
    RecordingDevice device;
    QPainter painter(&device);
    if (fast)
      drawSymbolFast(canvas(painter), QPointF(500, 500), name, rotation);
    else
      drawSymbol(canvas(painter), QPointF(500, 500), name, rotation);
    painter.end();
    return device.calls;
  }
};
}  // namespace

TEST_F(SymbolOutlinesTest, PlainSymbolsGiveTheSamePixels) {
  struct Case {
    const char* what;
    std::vector<VectorCommand> commands;
  } cases[] = {
      {"one polyline", {SP(colour("CHBLK")), SW(1), PU(300, 100), PD(500, 100), PD(450, 300), PD(300, 250)}},
      {"two pieces, wider pen",
       {SP(colour("CHMGD")), SW(2), PU(100, 100), PD(400, 400), PD(400, 500), PU(400, 100), PD(100, 400)}},
      {"a line before any pen-up starts at the pivot", {SP(colour("LITRD")), SW(1), PD(600, 500), PD(700, 500)}},
      {"the pen keeps the colour of its SW",
       {SP(colour("LITRD")), SW(1), SP(colour("CHBLK")), PU(0, 0), PD(600, 0), PD(600, 300)}},
      {"two widths: the last one strokes", {SW(3), SP(colour("CHMGD")), SW(1), PU(0, 0), PD(600, 300), PD(0, 300)}},
  };
  for (const Case& c : cases) {
    define("PLAIN001", c.commands);
    const QImage expected = picture("PLAIN001", false);
    EXPECT_EQ(picture("PLAIN001", true), expected) << c.what;
    EXPECT_NE(expected, blankImage(120, 80)) << c.what;
    // The painter receives one filled outline per symbol.
    const auto calls = record("PLAIN001", true);
    ASSERT_EQ(calls.size(), 1u) << c.what;
    EXPECT_EQ(calls[0].pen.style(), Qt::NoPen) << c.what;
  }
}

// Polygons, circles, dots, transparency, a line without a width of its own,
// lone segments (which the painter strokes with its line rasterizer) and
// rotated symbols go through drawSymbol.
TEST_F(SymbolOutlinesTest, OtherSymbolsAreDrawnCommandByCommand) {
  struct Case {
    const char* what;
    std::vector<VectorCommand> commands;
    int rotation;
  } cases[] = {
      {"polygon", {SP(colour("CHBLK")), SW(1), PM(0), PU(0, 0), PD(300, 0), PD(300, 300), PM(2)}, 0},
      {"circle", {SP(colour("CHBLK")), SW(1), PU(300, 200), CI(100)}, 0},
      {"dot", {SP(colour("CHBLK")), SW(1), PU(300, 200), PD(0, 0)}, 0},
      {"transparency", {SP(colour("CHBLK")), ST(2), SW(1), PU(0, 0), PD(300, 300)}, 0},
      {"no width", {SP(colour("CHBLK")), PU(0, 0), PD(300, 300), PD(0, 300)}, 0},
      {"lone segment", {SP(colour("CHBLK")), SW(1), PU(0, 0), PD(300, 300)}, 0},
      {"lone segments", {SP(colour("CHBLK")), SW(2), PU(0, 0), PD(300, 300), PU(300, 0), PD(0, 300)}, 0},
      {"rotated", {SP(colour("CHBLK")), SW(1), PU(0, 0), PD(300, 300), PD(0, 300)}, 45},
  };
  for (const Case& c : cases) {
    define("OTHER001", c.commands);
    const auto expected = record("OTHER001", false, c.rotation);
    const auto calls = record("OTHER001", true, c.rotation);
    ASSERT_EQ(calls.size(), expected.size()) << c.what;
    for (std::size_t i = 0; i < calls.size(); ++i) {
      EXPECT_EQ(calls[i].kind, expected[i].kind) << c.what;
      EXPECT_EQ(calls[i].pen, expected[i].pen) << c.what;
      EXPECT_EQ(calls[i].points, expected[i].points) << c.what;
      EXPECT_EQ(calls[i].path, expected[i].path) << c.what;
    }
    EXPECT_EQ(picture("OTHER001", true, c.rotation), picture("OTHER001", false, c.rotation)) << c.what;
  }
  EXPECT_TRUE(record("NOSUCH01", true).empty());
}

// The painter is left as drawSymbol leaves it: the last pen set, no brush.
TEST_F(SymbolOutlinesTest, PainterStateAfterwards) {
  define("PLAIN001", {SP(colour("CHMGD")), SW(2), PU(0, 0), PD(600, 0), PD(600, 300)});
  define("NOLINE01", {SP(colour("LITRD")), SW(1), PU(0, 0)});
  for (const char* name : {"PLAIN001", "NOLINE01"}) {
    QImage image = blankImage(10, 10);
    QPainter painter(&image);
    painter.setBrush(Qt::red);
    drawSymbolFast(canvas(painter), QPointF(50, 50), name, 0);
    EXPECT_EQ(painter.pen(), makePen(std::string(name) == "PLAIN001" ? QColor(200, 0, 200) : QColor(255, 0, 0),
                                     std::string(name) == "PLAIN001" ? 2 : 1))
        << name;
    EXPECT_EQ(painter.brush().style(), Qt::NoBrush) << name;
    EXPECT_EQ(painter.transform(), QTransform()) << name;
  }
}

// A definition that changes its commands (a library loaded again) gets a
// fresh outline.
TEST_F(SymbolOutlinesTest, ChangedDefinitionsAreOutlinedAgain) {
  SymbolDefinition& symbol = define("PLAIN001", {SP(colour("CHBLK")), SW(1), PU(0, 0), PD(600, 0), PD(600, 300)});
  picture("PLAIN001", true);
  symbol.commands = {SP(colour("LITRD")), SW(2), PU(0, 0), PD(0, 600), PD(300, 600)};
  EXPECT_EQ(picture("PLAIN001", true), picture("PLAIN001", false));
  symbol.commands = {SP(colour("CHBLK")), SW(1), PM(0), PU(0, 0), PD(300, 0), PD(300, 300), PM(2)};
  EXPECT_EQ(picture("PLAIN001", true), picture("PLAIN001", false));
}
