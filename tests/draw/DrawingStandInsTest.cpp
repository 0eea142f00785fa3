// Stand-ins for drawings the library lacks: what the pass executes and
// records in their place for each kind of instruction and feature, with and
// without the question mark in the library, and the debug log's one line
// per missing name.
#include <QPainter>
#include <QtGlobal>
#include <atomic>
#include <thread>

#include "AreaDrawer.h"
#include "ColourToken.h"
#include "DrawTestSupport.h"
#include "DrawingStandIns.h"
#include "InstructionExecutor.h"
#include "LineDrawer.h"
#include "PointDrawer.h"
#include "TestInstructions.h"

using namespace drawtest;

namespace {
using testsupport::ap;
using testsupport::lc;
using testsupport::sy;

ChartVertex at(double x, double y) { return ChartVertex{{x, -y}, 1}; }

// What a pass recorded, in the notation of the look-up table.
class TextRecorder : public InstructionRecorder {
public:
  void executed(const ChartFeature&, const Instruction& i) override {
    if (!text.empty()) text += ';';
    if (const LineStyle* l = i.find<LineStyle>())
      text += "LS(" + std::to_string(static_cast<int>(l->dash)) + "," + std::to_string(l->width) + "," +
              std::string(colourToken(l->colour)) + ")";
    else
      text += std::string(i.is<Symbol>() ? "SY" : i.is<ComplexLine>() ? "LC" : i.is<AreaPattern>() ? "AP" : "?") + "(" +
              testsupport::drawingName(i) + ")";
  }
  std::string text;
};

class DrawingStandInsTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    setColour("CHMGD", QColor(200, 0, 200));
    setColour("CHBLK", QColor(0, 0, 0));
    SymbolDefinition mark;
    mark.commands = {SP(colour("CHMGD")), SW(1), PU(0, 0), PD(100, 0)};
    for (const char* name : {"MARK0001", "MARK0002", "QUESMRK1"}) library().symbols[name] = mark;
    PatternDefinition& pattern = library().patterns["PATT0001"];
    pattern.commands = mark.commands;
    pattern.fillKind = "LIN";
    pattern.spacingKind = "CON";
    pattern.width = pattern.height = pattern.minimumDistance = 300;
    LineStyleDefinition& style = library().lineStyles["QUESMRK1"];
    style.name = "QUESMRK1";
    LineStyleSegment segment;
    segment.colour = colour("CHMGD");
    segment.width = 1;
    segment.commands = {PU(0, 0), PD(100, 0)};
    segment.largestX = 100;
    segment.smallestX = 0;
    style.segments = {segment};
    view.scale = 1;
    view.viewportWidth = view.viewportHeight = 23000;
    view.centre = {11500, -11500};
    updateOrigin(view);
  }

  // A point whose look-up in use (simplified) is `inUse` and whose other
  // (paper chart) is `other`.
  PointFeature& point(std::vector<Instruction> inUse, std::vector<Instruction> other = {}) {
    auto p = std::make_unique<PointFeature>();
    p->objectClass = 74;  // LNDMRK
    p->position.point = {5000, -5000};
    p->firstLookup = {std::move(other)};
    p->display.firstCategory = 1;
    p->secondLookup = {std::move(inUse)};
    p->display.secondCategory = 1;
    cell.points.push_back(std::move(p));
    return *cell.points.back();
  }
  LineFeature& line(std::vector<Instruction> instructions) {
    auto l = std::make_unique<LineFeature>();
    l->objectClass = 85;  // NAVLNE
    l->firstLookup = l->secondLookup = {std::move(instructions)};
    l->display.firstCategory = l->display.secondCategory = 1;
    l->vertices = {at(1000, 1000), at(9000, 1000)};
    l->parts = {BoundaryPart{}};
    l->parts[0].count = 2;
    cell.lines.push_back(std::move(l));
    return *cell.lines.back();
  }
  AreaFeature& area(std::vector<Instruction> instructions) {
    auto a = std::make_unique<AreaFeature>();
    a->objectClass = 112;  // RESARE
    a->firstLookup = a->secondLookup = {std::move(instructions)};
    a->display.firstCategory = a->display.secondCategory = 1;
    a->exteriorVertices = {at(2000, 2000), at(8000, 2000), at(8000, 8000), at(2000, 8000), at(2000, 2000)};
    a->updateBounds();
    a->centre = {5000, -5000};
    cell.areas.push_back(std::move(a));
    return *cell.areas.back();
  }

  // Draws the feature (a point's procedure instruction when `generated` is
  // given); what was recorded, and whether anything reached the device.
  std::pair<std::string, bool> draw(const ChartFeature& feature, const Instruction* generated = nullptr) {
    RecordingDevice device;
    QPainter painter(&device);
    TextRecorder recorder;
    DrawContext dc{canvas(painter), settings(), view, buffers, &recorder};
    if (generated) executePointInstruction(dc, *generated, feature, QPointF(5000, 5000), true);
    else if (feature.kind == FeatureKind::Point) drawPoint(dc, static_cast<const PointFeature&>(feature), cell);
    else if (feature.kind == FeatureKind::Line) drawLine(dc, static_cast<const LineFeature&>(feature), cell);
    else drawArea(dc, static_cast<const AreaFeature&>(feature), cell);
    painter.end();
    return {recorder.text, !device.calls.empty()};
  }

  S57Cell cell;
  ViewGeometry view;
  DrawBuffers buffers;
};
}  // namespace

TEST_F(DrawingStandInsTest, EachMissingDrawingGetsItsStandIn) {
  const Instruction procedureSymbol = sy("GONE0003");
  struct Case {
    const char* what;
    const ChartFeature* feature;
    const Instruction* generated;
    const char* drawn;
  } cases[] = {
      {"a symbol the library holds", &point({sy("MARK0001")}, {sy("MARK0002")}), nullptr, "SY(MARK0001)"},
      {"the other look-up's first symbol that exists", &point({sy("GONE0001")}, {sy("GONE0002"), sy("MARK0002")}),
       nullptr, "SY(MARK0002)"},
      {"no symbol in the other look-up", &point({sy("GONE0001")}, {sy("GONE0002")}), nullptr, "SY(QUESMRK1)"},
      {"a procedure's symbol takes no other look-up's", &point({}, {sy("MARK0002")}), &procedureSymbol,
       "SY(QUESMRK1)"},
      {"a line's missing line style", &line({lc("GONE0004")}), nullptr, "LC(QUESMRK1)"},
      {"an area boundary's missing line style", &area({lc("GONE0004")}), nullptr, "LC(QUESMRK1)"},
      {"an area's missing centred symbol", &area({sy("GONE0001")}), nullptr, "SY(QUESMRK1)"},
      {"an area's missing pattern", &area({ap("GONE0005")}), nullptr, "LS(1,1,CHMGD);SY(QUESMRK1)"},
      {"an area's pattern that exists", &area({ap("PATT0001")}), nullptr, "AP(PATT0001)"},
  };
  for (const Case& c : cases) {
    const auto [drawn, painted] = draw(*c.feature, c.generated);
    EXPECT_EQ(drawn, c.drawn) << c.what;
    EXPECT_TRUE(painted) << c.what;
  }
}

TEST_F(DrawingStandInsTest, WithoutTheQuestionMarkOnlyTheBoundariesStandIn) {
  library().symbols.erase("QUESMRK1");
  library().lineStyles.erase("QUESMRK1");
  EXPECT_EQ(draw(point({sy("GONE0001")})).first, "");
  EXPECT_EQ(draw(point({sy("GONE0001")}, {sy("MARK0002")})).first, "SY(MARK0002)");
  EXPECT_EQ(draw(line({lc("GONE0004")})).first, "LS(1,1,CHMGD)");
  EXPECT_EQ(draw(area({ap("GONE0005")})).first, "LS(1,1,CHMGD)");
}

TEST_F(DrawingStandInsTest, EachMissingNameIsLoggedOnceWhateverTheThread) {
  static std::atomic<int> lines{0}, otherNames{0};
  lines = otherNames = 0;
  const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) {
    if (m.contains("LOGONCE1")) ++lines;
    if (m.contains("LOGONCE2")) ++otherNames;
  });
  const PointFeature& first = point({sy("LOGONCE1")});
  const PointFeature& second = point({sy("LOGONCE2")});
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 200; ++i) {
        instructionsToExecute(first.secondLookup.instructions[0], first, settings(), drawings(), true);
        instructionsToExecute(second.secondLookup.instructions[0], second, settings(), drawings(), true);
      }
    });
  for (std::thread& t : threads) t.join();
  draw(first);
  qInstallMessageHandler(previous);
  EXPECT_EQ(lines.load(), 1);
  EXPECT_EQ(otherNames.load(), 1);
}
