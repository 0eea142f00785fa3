// Drawing point features: the viewport test, when the procedures run
// again, the display category, topmarks by symbol style, texts, light legs
// and arcs.
#include <QPainter>
#include <chrono>
#include <cmath>
#include <functional>

#include "ColourPens.h"
#include "ColourToken.h"
#include "DrawTestSupport.h"
#include "TestView.h"
#include "FeaturePortrayal.h"
#include "InstructionExecutor.h"
#include "PointDrawer.h"
#include "S57Vocabulary.h"
#include "TextPreparation.h"
#include "StrokeClipping.h"
#include "TestInstructions.h"

using namespace drawtest;
using testsupport::testView;

namespace {
// The two ends of a recorded line.
QPolygonF segment(const QPointF& a, const QPointF& b) { return QPolygonF(QVector<QPointF>{a, b}); }

constexpr int kLIGHTS = 75, kWRECKS = 159, kOBSTRN = 86, kLNDMRK = 74, kBCNLAT = 7;

using testsupport::cs;
using testsupport::sy;
Instruction tx(const char* acronym, std::string national = "") {
  PlainText t;
  t.attribute = acronym;
  t.nationalText = std::move(national);
  t.horizontal = t.vertical = 1;
  t.xOffset = 0;
  return t;
}
// A leg as the light procedure makes it, bearing and length read from text.
Leg leg(const char* bearing, const char* length) {
  Leg l;
  l.dash = LineDash::Solid;
  l.width = 1;
  l.colour = colourIndex("CHBLK");
  l.bearing = std::atof(bearing);
  l.length = std::atof(length);
  return l;
}
SectorArc arc(const char* start, const char* end, const char* radius = "20", int dash = 1) {
  SectorArc a;
  a.dash = static_cast<LineDash>(dash);
  a.width = 2;
  a.colour = colourIndex("LITRD");
  a.start = std::strtoll(start, nullptr, 10);
  a.end = std::strtoll(end, nullptr, 10);
  a.radius = static_cast<float>(std::atof(radius));
  return a;
}

class PointDrawerTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    setColour("CHBLK", QColor(0, 0, 0));
    setColour("LITRD", QColor(255, 0, 0));
    settings().setContourSet(10);
    // Symbols that mark their pivot: a line from it 100 to the right.
    SymbolDefinition mark;
    mark.commands = {SP(colour("CHBLK")), SW(1), PU(0, 0), PD(100, 0)};
    for (const char* name : {"MARK0001", "TOPMAR22", "WRECKS05", "LITDEF11", "LIGHTS13"}) library().symbols[name] = mark;
  }

  PointFeature& addPoint(int objectClass, std::vector<Instruction> instructions, double x = 1000, double y = 1000,
                         std::vector<FeatureAttribute> attributes = {}) {
    auto point = std::make_unique<PointFeature>();
    point->objectClass = objectClass;
    point->position.point = {x, -y};
    point->attributes = std::move(attributes);
    point->firstLookup = {instructions};
    point->display.firstCategory = 1;
    point->secondLookup = {std::move(instructions)};
    point->display.secondCategory = 1;
    point->display.viewingGroup = 27000;
    prepareLookupTexts(*point, library().chineseNames);
    cell.points.push_back(std::move(point));
    return *cell.points.back();
  }

  std::vector<PaintCall> draw(const PointFeature& point) {
    RecordingDevice device;
    QPainter painter(&device);
    DrawContext dc{canvas(painter), settings(), view, buffers};
    drawPoint(dc, point, cell);
    painter.end();
    return device.calls;
  }
  std::vector<PaintCall> drawGenerated(const PointFeature& point, Instruction instruction, bool generated = true) {
    RecordingDevice device;
    QPainter painter(&device);
    DrawContext dc{canvas(painter), settings(), view, buffers};
    executePointInstruction(dc, instruction, point, QPointF(5000, 5000), generated);
    painter.end();
    return device.calls;
  }
  // The instructions the point's procedures made for the settings.
  std::vector<Instruction> generated(const PointFeature& point) {
    const auto result = procedureResult(point, cell, settings());
    return result ? result->instructions : std::vector<Instruction>{};
  }

  S57Cell cell;
  ViewGeometry view = testView();
  DrawBuffers buffers;
};

std::size_t countOf(const std::vector<PaintCall>& calls, PaintCall::Kind kind) {
  std::size_t n = 0;
  for (const PaintCall& c : calls) n += c.kind == kind;
  return n;
}
}  // namespace

// A point on an edge of the surface is drawn; beyond it the point is not
// drawn and its procedure does not run.
TEST_F(PointDrawerTest, PointsOnTheSurfaceOnly) {
  struct Case {
    double x, y;
    bool drawn;
  } cases[] = {
      {0, 0, true},     {23000, 500, true},  {500, 23000, true},  {23001, 500, false},
      {-1, 500, false}, {500, 23000.5, false}, {500, -0.5, false},
  };
  for (const Case& c : cases) {
    PointFeature& point = addPoint(kLNDMRK, {sy("MARK0001"), cs("QUAPOS01")}, c.x, c.y);
    const auto calls = draw(point);
    EXPECT_EQ(countOf(calls, PaintCall::Path), c.drawn ? 1u : 0u) << c.x << ", " << c.y;
    EXPECT_EQ(point.procedureCache.load() != nullptr, c.drawn) << c.x << ", " << c.y;
    if (c.drawn) {
      EXPECT_EQ(calls[0].path.elementAt(0), QPointF(c.x, c.y));
    }
  }
}

// A point's procedures run again only after a change of a setting they
// read: obstructions and wrecks after a change of the safety contour, the
// safety depth or the dangers in shallow water, lights after a change of
// their labels or legs, quality marks and topmarks never. A change of
// symbol style walks the other look-up list, so every procedure runs for it
// once; the style of area boundaries does not touch points.
TEST_F(PointDrawerTest, ProceduresRunAgainOnlyWhenASettingTheyReadChanges) {
  struct Case {
    const char* procedure;
    int objectClass;
    std::vector<FeatureAttribute> attributes;
    bool afterContourChange;
    bool afterLightLabels;
    bool afterHazardChoices;  // the safety depth, dangers in shallow water
  } cases[] = {
      {"LIGHTS05", kLIGHTS, {{"COLOUR", "1"}}, false, true, false},
      {"QUAPOS01", kLNDMRK, {}, false, false, false},
      {"TOPMAR01", s57::TOPMAR, {{"TOPSHP", "1"}}, false, false, false},
      {"OBSTRN06", kOBSTRN, {{"VALSOU", "30"}}, true, false, true},
      {"WRECKS04", kWRECKS, {{"CATWRK", "1"}}, true, false, true},
  };
  for (const Case& c : cases) {
    settings().setContourSet(10);
    settings().setSymbolStyle(2);
    settings().setSafetyDepthFollowsContour();
    settings().setShallowWaterDangers(2);
    settings().setRangeLegs(2);
    settings().lightLabels = true;
    PointFeature& point = addPoint(c.objectClass, {cs(c.procedure)}, 1000, 1000, c.attributes);
    draw(point);
    const auto rerunAfter = [&](const std::function<void()>& change) {
      const auto before = point.procedureCache.load();
      change();
      draw(point);
      return point.procedureCache.load() != before;
    };
    EXPECT_FALSE(rerunAfter([] {})) << c.procedure;
    EXPECT_EQ(rerunAfter([&] { settings().setContourSet(5); }), c.afterContourChange) << c.procedure;
    EXPECT_EQ(rerunAfter([&] { settings().lightLabels = false; }), c.afterLightLabels) << c.procedure;
    EXPECT_EQ(rerunAfter([&] { settings().setRangeLegs(1); }), c.afterLightLabels) << c.procedure;
    EXPECT_EQ(rerunAfter([&] { settings().setSafetyDepth(3); }), c.afterHazardChoices) << c.procedure;
    EXPECT_EQ(rerunAfter([&] { settings().setShallowWaterDangers(1); }), c.afterHazardChoices) << c.procedure;
    EXPECT_FALSE(rerunAfter([&] { settings().setPlainBoundaries(1); })) << c.procedure;  // areas only
    EXPECT_TRUE(rerunAfter([&] { settings().setSymbolStyle(1); })) << c.procedure;
  }
  PointFeature& other = addPoint(kLNDMRK, {cs("NOSUCH01")});
  draw(other);
  EXPECT_FALSE(other.procedureCache.load());
}

// A topmark's own symbol shows only with paper-chart symbols; its look-up
// symbols show with both styles.
TEST_F(PointDrawerTest, TopmarkSymbolOnlyWithPaperChartSymbols) {
  PointFeature& topmark = addPoint(s57::TOPMAR, {sy("MARK0001"), cs("TOPMAR01")}, 1000, 1000, {{"TOPSHP", "1"}});
  EXPECT_EQ(countOf(draw(topmark), PaintCall::Path), 1u);
  ASSERT_EQ(generated(topmark).size(), 1u);
  EXPECT_EQ(generated(topmark)[0].as<Symbol>().name, "TOPMAR22");  // no floating carrier in the cell
  settings().setSymbolStyle(1);
  EXPECT_EQ(countOf(draw(topmark), PaintCall::Path), 2u);
  // Other classes draw their generated list with either style.
  PointFeature& light = addPoint(kLIGHTS, {cs("LIGHTS05")}, 1000, 1000, {{"COLOUR", "1"}});
  settings().setSymbolStyle(2);
  EXPECT_EQ(countOf(draw(light), PaintCall::Path), 1u);
}

// The display category is the one the procedures leave: a category the
// settings do not admit draws nothing, the procedure's symbols included,
// and a wreck that moves itself to the base display is drawn whole.
TEST_F(PointDrawerTest, DisplayCategory) {
  PointFeature& point = addPoint(kLNDMRK, {sy("MARK0001"), cs("QUAPOS01")}, 1000, 1000, {{"QUAPOS", "4"}});
  point.display.secondCategory = 2;
  library().symbols["LOWACC01"] = library().symbols["MARK0001"];
  EXPECT_TRUE(draw(point).empty());
  EXPECT_TRUE(point.procedureCache.load());  // the procedure ran
  settings().setDisplayCategory(2);
  EXPECT_EQ(countOf(draw(point), PaintCall::Path), 2u);

  settings().setDisplayCategory(1);
  PointFeature& wreck = addPoint(kWRECKS, {sy("MARK0001"), cs("WRECKS04"), sy("MARK0001")}, 1000, 1000,
                                 {{"CATWRK", "2"}, {"WATLEV", "3"}});
  wreck.display.secondCategory = 2;
  const auto calls = draw(wreck);
  const auto result = procedureResult(wreck, cell, settings());
  ASSERT_TRUE(result);
  EXPECT_EQ(result->display.secondCategory, 0);
  EXPECT_EQ(wreck.display.secondCategory, 2);  // the feature itself is not changed
  ASSERT_EQ(result->instructions.size(), 1u);
  EXPECT_EQ(result->instructions[0].as<Symbol>().name, "WRECKS05");
  EXPECT_EQ(countOf(calls, PaintCall::Path), 3u);  // both look-up symbols and WRECKS05
}

// A TX whose attribute is absent draws nothing; a value beginning with a
// multi-byte character is dropped, the national text (set with the look-up)
// still shows in national mode.
TEST_F(PointDrawerTest, TextsFromTheLookup) {
  PointFeature& point = addPoint(kLNDMRK, {tx("OBJNAM")});
  EXPECT_TRUE(draw(point).empty());
  EXPECT_FALSE(point.secondLookup.instructions[0].text()->prepared);
  PointFeature& tower = addPoint(kLNDMRK, {tx("OBJNAM")}, 1000, 1000, {{"OBJNAM", "Tower"}});
  auto calls = draw(tower);
  ASSERT_EQ(countOf(calls, PaintCall::Text), 1u);
  EXPECT_EQ(calls.back().text, "Tower");

  PointFeature& named = addPoint(kLNDMRK, {tx("OBJNAM", "\xe5\xa1\x94")}, 9000, 9000, {{"OBJNAM", "\xe5\xa1\x94"}});
  settings().setTextLanguage(2);
  EXPECT_TRUE(draw(named).empty());
  EXPECT_TRUE(named.secondLookup.instructions[0].text()->prepared);
  EXPECT_EQ(named.secondLookup.instructions[0].text()->text, "");
  settings().setTextLanguage(1);
  calls = draw(named);
  ASSERT_EQ(countOf(calls, PaintCall::Text), 1u);
  EXPECT_EQ(calls.back().text, QString::fromUtf8("\xe5\xa1\x94"));
}

TEST_F(PointDrawerTest, LegEnds) {
  const QPointF a(5000, 5000);
  const double r = 88 * 25 / std::sqrt(2.0);
  struct Case {
    const char* bearing;
    const char* length;
    QPointF end;
  } cases[] = {
      {"0", "1", {5000, 4912}},       {"90", "2", {5176, 5000}},         {"180", "1", {5000, 5088}},
      {"270", "1", {4912, 5000}},     {"225", "25", {5000 - r, 5000 + r}}, {"", "", {5000, 5000}},
      {"112.5", "0", {5000, 5000}},
      // Absurd lengths are held to 1e9 units; no length or bearing at all
      // leaves the end on the point.
      {"90", "1e300", {5000 + 1e9, 5000}},  {"0", "inf", {5000, 5000 - 1e9}}, {"90", "-1e300", {5000 - 1e9, 5000}},
      {"0", "nan", {5000, 5000}},           {"nan", "5", {5000, 5000}},       {"inf", "5", {5000, 5000}},
  };
  for (const Case& c : cases) {
    const QPointF end = legEnd(a, leg(c.bearing, c.length));
    EXPECT_NEAR(end.x(), c.end.x(), 1e-6) << c.bearing << " " << c.length;
    EXPECT_NEAR(end.y(), c.end.y(), 1e-6) << c.bearing << " " << c.length;
  }
}

// A full-length leg (on the ground) is its nominal range long on the ground
// at the light: 1852 m a nautical mile, in metres of the projection plane
// (N cos(phi) over the radius of the parallel of 30 degrees), in logical
// units of the view. Absurd ranges are held as screen legs are.
TEST_F(PointDrawerTest, LegsOnTheGroundAreTheirNominalRangeLong) {
  const struct {
    double latitude;
    double groundPerProjectionMetre;  // WGS84
  } cases[] = {{0, 1.1537322}, {47, 0.7882584}, {-47, 0.7882584}, {80, 0.2009982}};
  for (const auto& c : cases) {
    ViewGeometry view;
    view.scale = 1000;
    view.viewportWidth = view.viewportHeight = 23000;
    setCentreGeo(c.latitude, 10, view);
    const QPointF centre(11500, 11500);
    Leg ground = leg("90", "2");
    ground.onGround = true;
    const double expected = 2 * 1852.0 / c.groundPerProjectionMetre * 100000 / 1000;
    const QPointF end = legEnd(centre, ground, view);
    EXPECT_NEAR(end.x() - centre.x(), expected, expected * 1e-6) << c.latitude;
    EXPECT_NEAR(end.y(), centre.y(), 1e-6) << c.latitude;
    // A leg of the screen is as long whatever the view.
    EXPECT_EQ(legEnd(centre, leg("90", "2"), view), legEnd(centre, leg("90", "2")));
    ground.length = std::atof("1e300");
    EXPECT_NEAR(legEnd(centre, ground, view).x(), centre.x() + 1e9, 1e-3);
    ground.length = std::atof("nan");
    EXPECT_EQ(legEnd(centre, ground, view), centre);
  }
}

// A leg is dashed from the point whatever its style, in its colour and width.
TEST_F(PointDrawerTest, LegsAreDashed) {
  for (bool generated : {true, false}) {
    const auto calls = drawGenerated(*cell.points.emplace_back(new PointFeature), leg("90", "10"), generated);
    ASSERT_EQ(calls.size(), 2u);  // 880 units: one dash of 360, a gap of 180, then 340 to the end
    EXPECT_EQ(calls[0].points, segment(QPointF(5000, 5000), QPointF(5360, 5000)));
    EXPECT_EQ(calls[1].points, segment(QPointF(5540, 5000), QPointF(5880, 5000)));
    EXPECT_EQ(calls[0].pen.width(), penWidthUnits(1));
    EXPECT_EQ(calls[0].pen.color(), QColor(0, 0, 0));
  }
}

// A directional light of nominal range 1e300 draws the dashes of its leg
// that meet the surface (plus a margin), not one per period of its length.
TEST_F(PointDrawerTest, AnEndlessLegDrawsOnlyItsVisibleDashes) {
  PointFeature& light =
      addPoint(kLIGHTS, {cs("LIGHTS05")}, 5000, 5000, {{"CATLIT", "1"}, {"ORIENT", "90"}, {"VALNMR", "1e300"}});
  const auto start = std::chrono::steady_clock::now();
  const auto calls = draw(light);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
  std::vector<QPolygonF> dashes;
  for (const PaintCall& c : calls)
    if (c.kind == PaintCall::Line && c.points[0].y() == 5000) dashes.push_back(c.points);
  // The recording surface is 100000 units wide: the leg runs east from
  // x 5000 to the margin's edge, one dash per 540 units.
  const std::size_t visible = static_cast<std::size_t>((100000 + STROKE_CLIP_MARGIN - 5000) / 540) + 1;
  ASSERT_EQ(dashes.size(), visible);
  EXPECT_EQ(dashes.front(), segment(QPointF(5000, 5000), QPointF(5360, 5000)));
  EXPECT_EQ(dashes.back().at(0).x(), 5000 + 540.0 * static_cast<double>(visible - 1));
}

TEST_F(PointDrawerTest, SectorArcAngles) {
  struct Case {
    const char* start;
    const char* end;
    int startAngle, span;  // sixteenths of a degree
  } cases[] = {
      {"225", "270", 16 * 180, 16 * 45},  // bearings 225 to 270 clockwise
      {"480", "570", 16 * 240, 16 * 90},  // 120 to 210, written past 360
      {"0", "90", 0, 16 * 90},            // 90 - 90 = 0 is not negative
      {"45", "60", 16 * 30, 16 * 15},
      {"180", "360", 16 * 90, 16 * 180},  // 360 itself is not turned back
      {"270", "450", 16 * 0, 16 * 180},   // 450 - 360 = 90
  };
  for (const Case& c : cases) {
    const ArcAngles angles = sectorArcAngles(arc(c.start, c.end));
    EXPECT_EQ(angles.start, c.startAngle) << c.start << "-" << c.end;
    EXPECT_EQ(angles.span, c.span) << c.start << "-" << c.end;
  }
  // Bearings at the ends of the int range: a start within one turn, a span
  // of at most one turn either way.
  const char* extremes[] = {"2147483647", "-2147483648", "0", "99999999999"};
  for (const char* start : extremes) {
    for (const char* end : extremes) {
      const ArcAngles angles = sectorArcAngles(arc(start, end));
      EXPECT_LE(std::abs(angles.start), 16 * 360) << start << "-" << end;
      EXPECT_LE(std::abs(angles.span), 16 * 360) << start << "-" << end;
    }
  }
  EXPECT_EQ(sectorArcAngles(arc("0", "2147483647")).span, 16 * 360);
  EXPECT_EQ(sectorArcAngles(arc("2147483647", "0")).span, -16 * 360);
}

// An arc about the point with radius 88 x its radius, dashed when dashed; only
// from the generated list.
TEST_F(PointDrawerTest, SectorArcsAboutThePoint) {
  PointFeature& light = *cell.points.emplace_back(new PointFeature);
  for (int style : {1, 2}) {
    const auto calls = drawGenerated(light, arc("225", "270", "25", style));
    ASSERT_EQ(calls.size(), 1u);
    const QRectF box = calls[0].path.boundingRect();
    // The arc runs from bearing 225 (lower left) to 270 (left): x from the
    // far left to the 225 point, y from the centre down to the 225 point.
    const double r = 88 * 25;
    EXPECT_NEAR(box.left(), 5000 - r, 1);
    EXPECT_NEAR(box.right(), 5000 - r / std::sqrt(2.0), 1);
    EXPECT_NEAR(box.top(), 5000, 1);
    EXPECT_NEAR(box.bottom(), 5000 + r / std::sqrt(2.0), 1);
    EXPECT_EQ(calls[0].pen.color(), QColor(255, 0, 0));
    EXPECT_EQ(calls[0].pen.width(), penWidthUnits(2));
    EXPECT_EQ(calls[0].pen.style(), style == 2 ? Qt::DashLine : Qt::SolidLine);
  }
  EXPECT_TRUE(drawGenerated(light, arc("225", "270"), false).empty());
}
