// What a mariner must see whatever the settings: dangers in the base display
// with either symbol style, land never painted over by a contour, wreck
// areas, texts readable in every colour table, and the safety contour. The
// pass's recorder tells which instructions reached the canvas.
#include <QPainter>

#include "CellDrawer.h"
#include "ColourPens.h"
#include "ColourToken.h"
#include "DrawTestSupport.h"
#include "TestView.h"
#include "S57Vocabulary.h"
#include "TextPreparation.h"
#include "TestInstructions.h"

using namespace drawtest;
using testsupport::testView;

namespace {
ChartVertex at(double x, double y) { return ChartVertex{{x, -y}, 1}; }

std::vector<ChartVertex> square(double x, double y, double size) {
  return {at(x, y), at(x + size, y), at(x + size, y + size), at(x, y + size), at(x, y)};
}

using testsupport::ac;
using testsupport::cs;

std::string lineStyleText(LineDash dash, int width, int colour) {
  return "LS " + std::to_string(static_cast<int>(dash)) + "," + std::to_string(width) + "," +
         std::string(colourToken(colour));
}

// The instructions that reached the canvas, as "KIND name/colour" texts.
class Recorder : public InstructionRecorder {
public:
  void executed(const ChartFeature& feature, const Instruction& i) override {
    std::string text;
    switch (i.kind()) {
      case InstructionKind::Symbol: text = "SY " + i.as<Symbol>().name; break;
      case InstructionKind::AreaColour: text = "AC " + std::string(colourToken(i.as<AreaColour>().colour)); break;
      case InstructionKind::AreaPattern: text = "AP " + i.as<AreaPattern>().name; break;
      case InstructionKind::ComplexLine: text = "LC " + i.as<ComplexLine>().name; break;
      case InstructionKind::LineStyle: {
        const LineStyle& l = i.as<LineStyle>();
        text = lineStyleText(l.dash, l.width, l.colour);
        break;
      }
      case InstructionKind::Leg: {
        const Leg& l = i.as<Leg>();
        text = lineStyleText(l.dash, l.width, l.colour);
        break;
      }
      case InstructionKind::PlainText:
      case InstructionKind::FormattedText: text = "TX " + i.text()->text; break;
      default: text = "kind " + std::to_string(static_cast<int>(i.kind()));
    }
    drawn[&feature].push_back(text);
  }
  bool has(const ChartFeature& f, const std::string& text) const {
    const auto it = drawn.find(&f);
    return it != drawn.end() && std::find(it->second.begin(), it->second.end(), text) != it->second.end();
  }
  std::map<const ChartFeature*, std::vector<std::string>> drawn;
};

class SafePortrayalTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    int shade = 20;
    for (const char* t : {"DEPIT", "DEPVS", "DEPMS", "DEPMD", "DEPDW", "DEPSC", "DEPCN", "LANDA", "CHBLK", "CHBRN",
                          "CSTLN", "CHGRD"})
      setColour(t, QColor(shade, 255 - shade, 100)), shade += 15;
    settings().setContourSet(10);
    SymbolDefinition mark;
    mark.commands = {SP(colour("CHBLK")), SW(1), PU(0, 0), PD(100, 0)};
    for (const char* name : {"ISODGR01", "DANGER01", "DANGER02", "SOUNDS11", "SOUNDS02"}) library().symbols[name] = mark;
  }

  template <typename Feature>
  Feature& withLookup(std::unique_ptr<Feature> f, int objectClass, std::vector<Instruction> lookup, int category,
                      std::vector<FeatureAttribute> attributes = {}) {
    f->objectClass = objectClass;
    f->attributes = std::move(attributes);
    f->firstLookup = {lookup};
    f->display.firstCategory = category;
    f->secondLookup = {std::move(lookup)};
    f->display.secondCategory = category;
    prepareLookupTexts(*f, library().chineseNames);
    Feature& kept = *f;
    if constexpr (std::is_same_v<Feature, AreaFeature>) {
      kept.updateBounds();
      cell.areas.push_back(std::move(f));
    } else if constexpr (std::is_same_v<Feature, LineFeature>) {
      cell.lines.push_back(std::move(f));
    } else {
      cell.points.push_back(std::move(f));
    }
    return kept;
  }
  AreaFeature& area(int objectClass, std::vector<Instruction> lookup, std::vector<ChartVertex> ring, int category = 0,
                    std::vector<FeatureAttribute> attributes = {}) {
    auto a = std::make_unique<AreaFeature>();
    a->exteriorVertices = std::move(ring);
    return withLookup(std::move(a), objectClass, std::move(lookup), category, std::move(attributes));
  }
  // A deep depth area under everything.
  AreaFeature& deepWater() {
    return area(s57::DEPARE, {cs("DEPARE02")}, square(0, 0, 20000), 0, {{"DRVAL1", "20"}, {"DRVAL2", "30"}});
  }

  // Draws the cell into an image through the pass of one cell.
  QImage draw(Recorder& recorder) {
    QImage image = blankImage(1000, 1000);
    QPainter painter(&image);
    setupPainter(painter, 1000, 1000, view);
    DrawContext dc{canvas(painter), settings(), view, buffers, &recorder};
    drawCell(dc, cell);
    return image;
  }

  S57Cell cell;
  ViewGeometry view = testView();
  DrawBuffers buffers;
};
}  // namespace

// A dangerous obstruction, of every geometry, whose look-up puts it in
// "other": its isolated-danger symbol shows in the base display with
// simplified and with paper-chart symbols alike.
TEST_F(SafePortrayalTest, DangersShowInTheBaseDisplayWithEitherSymbolStyle) {
  deepWater();
  const std::vector<FeatureAttribute> shallow = {{"VALSOU", "2"}, {"WATLEV", "3"}};
  auto point = std::make_unique<PointFeature>();
  point->position = at(5000, 5000);
  PointFeature& rock = withLookup(std::move(point), s57::OBSTRN, {cs("OBSTRN06")}, 2, shallow);
  auto line = std::make_unique<LineFeature>();
  line->vertices = {at(7000, 7000), at(9000, 7000)};
  line->parts.push_back(BoundaryPart{0, 2, {}, {}});
  LineFeature& wire = withLookup(std::move(line), s57::OBSTRN, {cs("OBSTRN06")}, 2, shallow);
  AreaFeature& foul = area(s57::OBSTRN, {cs("OBSTRN06")}, square(10000, 10000, 2000), 2, shallow);
  for (int style : {1, 2}) {
    settings().setSymbolStyle(style);
    settings().setDisplayCategory(0);
    Recorder recorder;
    draw(recorder);
    for (const ChartFeature* hazard : {static_cast<const ChartFeature*>(&rock), static_cast<const ChartFeature*>(&wire),
                                       static_cast<const ChartFeature*>(&foul)})
      EXPECT_TRUE(recorder.has(*hazard, "SY ISODGR01")) << "style " << style << ", kind " << int(hazard->kind);
  }
}

// A closed depth contour around an island, with contours and their labels
// on: the contour is a line and nothing else, so the island keeps its land
// colour inside the ring.
TEST_F(SafePortrayalTest, AContourAroundLandPaintsNoWater) {
  deepWater();
  area(71 /* LNDARE */, {ac("LANDA")}, square(4000, 4000, 4000));
  auto ring = std::make_unique<LineFeature>();
  ring->vertices = square(3000, 3000, 6000);
  ring->parts.push_back(BoundaryPart{0, static_cast<std::uint32_t>(ring->vertices.size()), {}, {}});
  LineFeature& contour = withLookup(std::move(ring), s57::DEPCNT, {cs("DEPCNT03"), ac("DEPVS")}, 1, {{"VALDCO", "5"}});
  settings().showDepthContours = true;
  settings().contourLabels = true;
  Recorder recorder;
  const QImage image = draw(recorder);
  for (const std::string& drawn : recorder.drawn[&contour]) EXPECT_NE(drawn.rfind("AC ", 0), 0u) << drawn;
  const QColor land = colourOf(*settings().colourTable, colourIndex("LANDA"));
  EXPECT_EQ(image.pixelColor(260, 260), land);  // the island's middle, inside the contour's ring
}

// A wreck area runs the wreck procedure: dangerous in deep water, drying,
// or with its sounding.
TEST_F(SafePortrayalTest, WreckAreasAreDrawn) {
  deepWater();
  struct Case {
    std::vector<FeatureAttribute> attributes;
    std::vector<std::string> expected;
  } cases[] = {
      {{{"VALSOU", "3"}}, {"AC DEPVS", "LS 3,2,CHBLK", "SY ISODGR01"}},
      {{{"WATLEV", "2"}}, {"AC CHBRN", "LS 1,2,CSTLN"}},
      {{{"WATLEV", "4"}}, {"AC DEPVS", "LS 3,2,CHBLK", "SY ISODGR01"}},  // awash in deep water: a danger
      {{{"VALSOU", "25"}}, {"LS 2,2,CHBLK"}},
  };
  double x = 1000;
  for (const Case& c : cases) {
    AreaFeature& wreck = area(s57::WRECKS, {cs("WRECKS04")}, square(x, 1000, 1500), 2, c.attributes);
    x += 2000;
    settings().setDisplayCategory(2);
    Recorder recorder;
    draw(recorder);
    std::vector<std::string> drawn = recorder.drawn[&wreck];
    drawn.resize(std::min(drawn.size(), c.expected.size()));
    EXPECT_EQ(drawn, c.expected) << testing::PrintToString(c.attributes[0].value);
  }
}

// Texts take their instruction's colour token from the table in force, so
// a name stays readable on the night table's dark water.
TEST_F(SafePortrayalTest, TextsInTheNightTable) {
  const int chblk = colourIndex("CHBLK");
  library().colourTables[static_cast<int>(ColourScheme::DAY_BRIGHT)].entries[chblk] = QColor(7, 7, 7);
  library().colourTables[static_cast<int>(ColourScheme::NIGHT)].entries[chblk] = QColor(160, 170, 180);
  PlainText name;
  name.attribute = "OBJNAM";
  name.horizontal = name.vertical = 1;
  name.xOffset = 0;
  name.colour = chblk;
  auto point = std::make_unique<PointFeature>();
  point->position = at(5000, 5000);
  withLookup(std::move(point), 74 /* LNDMRK */, {name}, 0, {{"OBJNAM", "Tower"}});
  for (auto [scheme, colour] : {std::pair{1, QColor(7, 7, 7)}, {5, QColor(160, 170, 180)}}) {
    settings().setColourScheme(scheme);
    RecordingDevice device;
    QPainter painter(&device);
    DrawContext dc{canvas(painter), settings(), view, buffers};
    drawCell(dc, cell);
    painter.end();
    const auto texts = device.ofKind(PaintCall::Text);
    ASSERT_EQ(texts.size(), 1u) << scheme;
    EXPECT_EQ(texts[0].pen.color(), colour) << scheme;
  }
}

// Without a depth contour at the safety contour's depth, the edges between
// a depth area shallower than it and one as deep or deeper are the safety
// contour, drawn with depth contours off; edges between two shallow areas,
// or two deep ones, are not.
TEST_F(SafePortrayalTest, SafetyContourAlongDepthAreaEdges) {
  // Three areas side by side: 0-5 | 5-10 | 20-30, each sharing an edge
  // (by its NAME) with the next.
  const auto part = [](std::uint32_t offset, std::uint32_t count, std::uint8_t id) {
    BoundaryPart p;
    p.offset = offset;
    p.count = count;
    p.edgeName = {130, id, 0, 0, 0};
    return p;
  };
  const auto band = [&](double x0, double x1, const char* d1, const char* d2, std::uint8_t west, std::uint8_t east,
                        std::uint8_t rest) -> AreaFeature& {
    AreaFeature& a = area(s57::DEPARE, {cs("DEPARE02")},
                          {at(x0, 1000), at(x0, 9000), at(x1, 9000), at(x1, 1000), at(x0, 1000)}, 0,
                          {{"DRVAL1", d1}, {"DRVAL2", d2}});
    a.exteriorParts = {part(0, 2, west), part(1, 2, rest), part(2, 2, east), part(3, 2, rest + 1)};
    return a;
  };
  AreaFeature& shoal = band(1000, 4000, "0", "5", 1, 2, 10);
  AreaFeature& shallow = band(4000, 7000, "5", "10", 2, 3, 20);
  AreaFeature& deep = band(7000, 10000, "20", "30", 3, 4, 30);
  settings().showDepthContours = false;
  Recorder recorder;
  draw(recorder);
  // Drawn once, from the deep side.
  EXPECT_TRUE(recorder.has(deep, "LS 1,2,DEPSC"));
  EXPECT_FALSE(recorder.has(shallow, "LS 1,2,DEPSC"));
  EXPECT_FALSE(recorder.has(shoal, "LS 1,2,DEPSC"));

  // Contour set 5: the safety contour is now the 5 m edge.
  settings().setContourSet(5);
  Recorder five;
  draw(five);
  EXPECT_TRUE(five.has(shallow, "LS 1,2,DEPSC"));
  EXPECT_FALSE(five.has(shoal, "LS 1,2,DEPSC"));
  EXPECT_FALSE(five.has(deep, "LS 1,2,DEPSC"));
}
