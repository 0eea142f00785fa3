// A cell drawn through every portrayal: areas, lines, points and soundings
// in that order under the scale rules (on a cell built in memory), and
// synthetic cells loaded with the generated library for what the real cell
// does not show: nested light sectors, topmarks on a buoy and on a beacon,
// and wrecks in deep water.
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

#include "CellFixtures.h"
#include "CellList.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "ColourPens.h"
#include "ColourToken.h"
#include "DrawTestSupport.h"
#include "FeaturePortrayal.h"
#include "LookupSelection.h"
#include "PointDrawer.h"
#include "PresentationLibrary.h"
#include "S57Vocabulary.h"
#include "TestView.h"

using namespace drawtest;
using namespace s57write;

namespace {
constexpr int kLNDARE = 71, kNAVLNE = 85, kLNDMRK = 74, kSOUNDG = 129;

// A view of 1000 x 1000 pixels centred on the chart origin.
// (Without the no-data background, so that every call recorded is a cell's.)
ChartView viewAt(float scale) {
  ChartView view;
  view.scale = scale;
  view.viewportWidth = view.viewportHeight = 23000;
  view.pixelMillimetres = testsupport::pixelMillimetresOfViewScale();  // the true scale is `scale` too
  view.showNoData = false;
  return view;
}

// An instruction of the kind in the colour of `token` (solid, width 1) or
// naming `name`.
Instruction instruction(InstructionKind kind, const char* token, const char* name = "") {
  switch (kind) {
    case InstructionKind::AreaColour: return AreaColour{colourIndex(token), -1};
    case InstructionKind::LineStyle: return LineStyle{colourIndex(token), 1, LineDash::Solid};
    case InstructionKind::Symbol: return Symbol{name, {}, {}};
    case InstructionKind::ProcedureCall: return ProcedureCall{name};
    default: return Instruction{};
  }
}
constexpr InstructionKind kAC = InstructionKind::AreaColour, kLS = InstructionKind::LineStyle,
                          kSY = InstructionKind::Symbol, kCS = InstructionKind::ProcedureCall;

// One cell of each feature kind, each drawn in a colour of its own, so the
// recorded calls tell which portrayal drew them: A area, L line, P point,
// S sounding.
class CellDrawOrderTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    settings().showCellBoundaries = false;
    const char* tokens[] = {"LANDA", "CHBLK", "CSTLN", "DEPCN"};
    for (int i = 0; i < 4; ++i) setColour(tokens[i], QColor(10 + 40 * i, 0, 0));
    // Two pixels wide: a mark stamped below the cell's scale keeps pixels of
    // its full colour.
    SymbolDefinition mark;
    mark.commands = {SP(colour("CSTLN")), SW(2), PU(0, 0), PD(100, 0)};
    library().symbols["MARK0001"] = mark;
    mark.commands[0] = SP(colour("DEPCN"));
    for (const char* prefix : {"SOUNDS", "SOUNDG"})
      for (char row = '0'; row <= '9'; ++row)
        for (char digit = '0'; digit <= '9'; ++digit) library().symbols[std::string(prefix) + row + digit] = mark;

    cell.compilationScale = 22000;
    const double half = 3e9;
    cell.extents = {ChartBox{-half, -half, half, half}};
    cell.boundingBox = cell.extents[0];
    auto area = std::make_unique<AreaFeature>();
    area->objectClass = kLNDARE;
    area->secondLookup = {{instruction(kAC, "LANDA")}};
    area->display.secondCategory = 0;
    area->exteriorVertices = {{{-half, -half}}, {{half, -half}}, {{half, half}}, {{-half, half}}};
    area->updateBounds();
    cell.areas.push_back(std::move(area));
    auto line = std::make_unique<LineFeature>();
    line->objectClass = kNAVLNE;
    line->secondLookup = {{instruction(kLS, "CHBLK")}};
    line->display.secondCategory = 0;
    line->vertices = {{{-1e9, 1e8}}, {{1e9, 1e8}}};
    cell.lines.push_back(std::move(line));
    auto point = std::make_unique<PointFeature>();
    point->objectClass = kLNDMRK;
    point->secondLookup = {{instruction(kSY, "CHBLK", "MARK0001")}};
    point->display.secondCategory = 0;
    cell.points.push_back(std::move(point));
    auto soundings = std::make_unique<SoundingFeature>();
    soundings->objectClass = kSOUNDG;
    soundings->secondLookup = {{instruction(kCS, "CHBLK", "SOUNDG02")}};
    soundings->display.secondCategory = 2;
    ::Sounding s;
    s.x = s.y = 1e7;
    s.depth = 12;
    soundings->soundings = {s};
    cell.soundings.push_back(std::move(soundings));
  }

  // The portrayals in the order their calls came, runs of one collapsed.
  std::string drawnAt(float scale) {
    ChartView view = viewAt(scale);
    RecordingDevice device;
    QPainter painter(&device);
    ChartEngine engine(library());
    view.draw(painter, engine, settings(), {&cell});
    painter.end();
    std::string order;
    for (const PaintCall& c : device.calls) {
      const QColor colour = c.pen.style() == Qt::NoPen ? c.brush.color() : c.pen.color();
      char kind = '?';
      if (colour == colourOf(*settings().colourTable, colourIndex("LANDA"))) kind = 'A';
      if (colour == colourOf(*settings().colourTable, colourIndex("CHBLK"))) kind = 'L';
      if (colour == colourOf(*settings().colourTable, colourIndex("CSTLN"))) kind = 'P';
      if (colour == colourOf(*settings().colourTable, colourIndex("DEPCN"))) kind = 'S';
      if (order.empty() || order.back() != kind) order += kind;
    }
    return order;
  }

  S57Cell cell;
};

// Attribute codes and class codes of the synthetic cells.
enum Code : int {
  kCOLOUR = 75,
  kSECTR1 = 136,
  kSECTR2 = 137,
  kTOPSHP = 171,
  kBOYSHP = 4,
  kVALSOU = 179,
  kDRVAL1 = 87,
  kDRVAL2 = 88,
  kLIGHTS = 75,
  kBOYLAT = 17,
  kBCNLAT = 7,
  kDEPARE = 42,
  kWRECKS = 159,
  kM_NSYS = 306,
};

const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";

Coordinate at(double latitude, double longitude) {
  return {static_cast<int32_t>(std::lround(latitude * 1e7)), static_cast<int32_t>(std::lround(longitude * 1e7))};
}

// Loads the generated library (the test is skipped without it) and writes
// and loads cells made of a square of water with points on it.
class SyntheticCellTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    if (!std::filesystem::is_directory(kLibrary)) GTEST_SKIP() << "no generated library in " << kLibrary;
    ASSERT_EQ(loadPresentationLibrary(library(), kLibrary, MissingFileReport::Silent), LibraryResult::Ok);
    engine = std::make_unique<ChartEngine>(library());
    settings().setContourSet(10);
    settings().showCellBoundaries = false;
  }

  // A cell with a square of 0.1 degrees from 47N 122W: its extent (M_NSYS)
  // and a depth area 20 to 30 m over it; points are added as isolated nodes.
  void startCell(const std::string& name) {
    writer = S57Writer();
    DataSet d;
    d.dsnm = name;
    writer.addDataSet(d);
    for (int i = 0; i < 4; ++i)
      writer.addConnectedNode(1 + i, at(47.0 + (i >= 2 ? 0.1 : 0), -122.0 + (i == 1 || i == 2 ? 0.1 : 0)));
    for (int i = 0; i < 4; ++i) writer.addEdge(101 + i, 1 + i, 1 + (i + 1) % 4, {});
    addArea(kM_NSYS, {});
    addArea(kDEPARE, {{kDRVAL1, "20"}, {kDRVAL2, "30"}});
  }
  void addArea(int objl, std::vector<Attribute> attributes) {
    Feature f = feature(3, objl, std::move(attributes));
    for (int i = 0; i < 4; ++i) f.spatialPointers.push_back({kEdge, 101 + i, 1, 1, 255});
    writer.addFeature(f);
  }
  // A point feature on the isolated node `node`, which is added at
  // (47.05 + north, -121.95 + east) unless it exists.
  void addPoint(int64_t node, int objl, std::vector<Attribute> attributes, double north = 0, double east = 0) {
    if (nodes.insert(node).second) writer.addIsolatedNode(node, at(47.05 + north, -121.95 + east));
    Feature f = feature(1, objl, std::move(attributes));
    f.spatialPointers = {{kIsolatedNode, node, 255, 255, 255}};
    writer.addFeature(f);
  }
  Feature feature(int prim, int objl, std::vector<Attribute> attributes) {
    Feature f;
    f.rcid = f.fidn = ++lastFeature;
    f.prim = prim;
    f.objl = objl;
    f.attributes = std::move(attributes);
    return f;
  }

  // Writes and loads the cell, then draws it once centred on the cell.
  S57Cell& loadAndDraw() {
    const std::string path = fixtures::writeCell(writer, directory.path, "cell.000");
    EXPECT_EQ(loadCell(path, library(), cells, &view), ReaderResult::Ok);
    S57Cell& cell = *cells.snapshot()->back();
    view.scale = 60000;
    draw(cell);
    return cell;
  }
  std::vector<PaintCall> draw(S57Cell& cell) {
    RecordingDevice device;
    QPainter painter(&device);
    view.viewportWidth = view.viewportHeight = 23000;
    view.draw(painter, *engine, settings(), {&cell});
    painter.end();
    return device.calls;
  }

  // The point features of `cell` of one class, in file order.
  static std::vector<PointFeature*> ofClass(S57Cell& cell, int objectClass) {
    std::vector<PointFeature*> out;
    for (auto& p : cell.points)
      if (p->objectClass == objectClass) out.push_back(p.get());
    std::sort(out.begin(), out.end(), [](const PointFeature* a, const PointFeature* b) {
      return a->position.point.x < b->position.point.x ||
             (a->position.point.x == b->position.point.x && a->findAttribute("COLOUR") < b->findAttribute("COLOUR"));
    });
    return out;
  }
  // The instructions the point's procedures made under the test's settings.
  std::vector<Instruction> generated(const S57Cell& cell, const PointFeature& point) {
    const auto result = procedureResult(point, cell, settings());
    return result ? result->instructions : std::vector<Instruction>{};
  }
  std::vector<std::string> symbols(const S57Cell& cell, const PointFeature& point) {
    std::vector<std::string> out;
    for (const Instruction& i : generated(cell, point))
      if (const Symbol* s = i.find<Symbol>()) out.push_back(s->name);
    return out;
  }
  std::vector<PaintCall> drawPointAlone(const S57Cell& cell, const PointFeature& point) {
    RecordingDevice device;
    QPainter painter(&device);
    DrawBuffers buffers;
    DrawContext dc{canvas(painter), settings(), view, buffers};
    drawPoint(dc, point, cell);
    painter.end();
    return device.calls;
  }

  fixtures::TempDirectory directory;
  S57Writer writer;
  std::set<int64_t> nodes;
  int64_t lastFeature = 0;
  std::unique_ptr<ChartEngine> engine;  // over the test's library
  CellList cells;
  ChartView view;
};
}  // namespace

// Areas, lines, points, soundings; points up to scale 500000, soundings
// below it and only when switched on.
TEST_F(CellDrawOrderTest, OrderAndScaleRules) {
  struct Case {
    float scale;
    bool soundings;
    const char* order;
  } cases[] = {
      {100000, true, "ALPS"}, {499999, true, "ALPS"},  {500000, true, "ALP"},
      {500001, true, "AL"},   {100000, false, "ALP"},
  };
  for (const Case& c : cases) {
    settings().showSoundings = c.soundings;
    EXPECT_EQ(drawnAt(c.scale), c.order) << c.scale << (c.soundings ? " with soundings" : "");
  }
}

// Lines, points and soundings have their own scale range, unless SCAMIN
// is switched off.
TEST_F(CellDrawOrderTest, FeatureScaleRanges) {
  settings().showSoundings = true;
  for (const auto& line : cell.lines) line->scaleMinimum = 50000;
  for (const auto& point : cell.points) point->scaleMinimum = 50000;
  for (const auto& sounding : cell.soundings) sounding->scaleMinimum = 50000;
  EXPECT_EQ(drawnAt(49999), "ALPS");
  EXPECT_EQ(drawnAt(50000), "A");
  settings().setUseScaleMinimum(2);
  EXPECT_EQ(drawnAt(50000), "ALPS");
  EXPECT_EQ(drawnAt(400000), "ALPS");
}

// Two sector lights at one position with one sector inside the other get
// arcs of radius 25; a sector light standing alone, 20.
TEST_F(SyntheticCellTest, NestedLightSectorsGetTheLargerRadius) {
  startCell("SECTOR01.000");
  // Bearings from the light: 240 to 300, 250 to 290, and 240 to 300 alone.
  addPoint(21, kLIGHTS, {{kSECTR1, "60"}, {kSECTR2, "120"}, {kCOLOUR, "1"}});
  addPoint(21, kLIGHTS, {{kSECTR1, "70"}, {kSECTR2, "110"}, {kCOLOUR, "3"}});
  addPoint(22, kLIGHTS, {{kSECTR1, "60"}, {kSECTR2, "120"}, {kCOLOUR, "4"}}, 0, 0.02);
  S57Cell& cell = loadAndDraw();
  const std::vector<PointFeature*> lights = ofClass(cell, kLIGHTS);
  ASSERT_EQ(lights.size(), 3u);
  const std::vector<const char*> arcColour = {"LITYW", "LITRD", "LITGN"};
  const std::vector<double> radius = {25, 25, 20};

  const auto calls = draw(cell);
  for (std::size_t i = 0; i < lights.size(); ++i) {
    const PointFeature& light = *lights[i];
    std::vector<std::string> arcs;
    for (const Instruction& g : generated(cell, light))
      if (const SectorArc* a = g.find<SectorArc>())
        arcs.push_back(std::string(colourToken(a->colour)) + " r" + std::to_string(static_cast<int>(a->radius)));
    const std::string r = " r" + std::to_string(static_cast<int>(radius[i]));
    EXPECT_EQ(arcs, (std::vector<std::string>{"OUTLW" + r, arcColour[i] + r})) << i;

    // The coloured arc reaches 88 x radius to the west of the light (bearing 270).
    const QPointF anchor = toLogicalExact(light.position.point, view);
    int found = 0;
    for (const PaintCall& c : calls) {
      if (c.kind != PaintCall::Path || c.pen.color() != colourOf(*settings().colourTable, colourIndex(arcColour[i]))) continue;
      ++found;
      EXPECT_EQ(c.pen.width(), penWidthUnits(2));
      EXPECT_NEAR(c.path.boundingRect().left(), anchor.x() - 88 * radius[i], 1) << i;
    }
    EXPECT_EQ(found, 1) << i;
  }
}

// TOPMAR01 chooses the floating symbol for a topmark on a buoy at the same
// position and the fixed one on a beacon; the symbol is drawn only with
// paper-chart symbols.
TEST_F(SyntheticCellTest, TopmarksOnABuoyAndOnABeacon) {
  startCell("TOPMAR01.000");
  addPoint(31, kBOYLAT, {{kBOYSHP, "2"}});
  addPoint(31, s57::TOPMAR, {{kTOPSHP, "1"}});
  addPoint(32, kBCNLAT, {}, 0, 0.02);
  addPoint(32, s57::TOPMAR, {{kTOPSHP, "1"}});
  settings().setSymbolStyle(1);
  S57Cell& cell = loadAndDraw();
  const std::vector<PointFeature*> topmarks = ofClass(cell, s57::TOPMAR);
  ASSERT_EQ(topmarks.size(), 2u);
  EXPECT_EQ(symbols(cell, *topmarks[0]), std::vector<std::string>{"TOPMAR02"});
  EXPECT_EQ(symbols(cell, *topmarks[1]), std::vector<std::string>{"TOPMAR22"});
  for (const char* name : {"TOPMAR02", "TOPMAR22"}) EXPECT_TRUE(library().symbols.count(name)) << name;

  // The look-up of these topmarks holds only the procedure: what they draw
  // is the procedure's symbol.
  for (PointFeature* topmark : topmarks) {
    for (bool paper : {true, false}) {
      settings().setSymbolStyle(paper ? 1 : 2);
      for (const Instruction& i : lookupInUse(*topmark, settings()).instructions) ASSERT_TRUE(i.is<ProcedureCall>());
      EXPECT_EQ(drawPointAlone(cell, *topmark).empty(), !paper) << (paper ? "paper-chart symbols" : "simplified symbols");
    }
  }
}

// A wreck shallower than the safety contour in a depth area deeper than it
// is an isolated danger, moved to the base display; a deeper wreck is not.
TEST_F(SyntheticCellTest, DangerousWreckInDeepWater) {
  startCell("WRECKS01.000");
  addPoint(41, kWRECKS, {{kVALSOU, "5"}});
  addPoint(42, kWRECKS, {{kVALSOU, "25"}}, 0, 0.02);
  settings().setDisplayCategory(0);
  S57Cell& cell = loadAndDraw();
  const std::vector<PointFeature*> wrecks = ofClass(cell, kWRECKS);
  ASSERT_EQ(wrecks.size(), 2u);
  EXPECT_EQ(symbols(cell, *wrecks[0]), std::vector<std::string>{"ISODGR01"});
  EXPECT_EQ(procedureResult(*wrecks[0], cell, settings())->display.secondCategory, 0);
  EXPECT_EQ(procedureResult(*wrecks[0], cell, settings())->display.viewingGroup, 14050);
  ASSERT_FALSE(symbols(cell, *wrecks[1]).empty());
  EXPECT_EQ(symbols(cell, *wrecks[1])[0], "DANGER01");
  EXPECT_EQ(procedureResult(*wrecks[1], cell, settings())->display.viewingGroup, 34051);
  EXPECT_TRUE(library().symbols.count("ISODGR01"));

  // In the base display only the danger shows.
  for (PointFeature* wreck : wrecks) EXPECT_EQ(drawPointAlone(cell, *wreck).empty(), wreck != wrecks[0]);
}
