// The texts of a whole view placed against each other: which of two
// colliding texts wins, soundings never overprinted, texts painted over by
// a later cell left out, labels of symbols placed whole; and on the real
// views where texts piled up, no two placed texts overlapping and none on a
// sounding.
#include <QImage>
#include <QPainter>
#include <filesystem>

#include "CellList.h"
#include "ChartFont.h"
#include "ChartView.h"
#include "DrawTestSupport.h"
#include "ChartEngine.h"
#include "Portfolio.h"
#include "TextPlacement.h"
#include "TrueScale.h"

using namespace drawtest;
namespace fs = std::filesystem;

namespace {
// A prepared text of text group `group`, starting at its anchor.
Instruction text(const char* shown, int group) {
  PlainText t;
  t.text = shown;
  t.prepared = true;
  t.horizontal = 3;
  t.group = group;
  return t;
}

// One text handed to a placement: its features are told apart by class.
struct Entry {
  int group;
  int priority;
  int cell;
  int left;  // where its box starts
};

class TextPlacementTest : public DrawTest {
protected:
  // Hands in the entries (texts of 4000 x 400 units at `left`, the
  // instructions and features kept by the test), places them, and returns
  // the features placed, by class.
  std::vector<int> place(const std::vector<Entry>& entries, const std::vector<TextBox>& soundings = {}) {
    instructions.clear();
    features.clear();
    instructions.reserve(entries.size());
    features.resize(entries.size());
    TextPlacement placement;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const Entry& e = entries[i];
      instructions.push_back(text("Name", e.group));
      features[i].objectClass = static_cast<int>(i);
      placement.addText(TextBox{e.left, e.left + 4000, 1000, 1400}, false, ChartPoint{0, 0},
                        instructions[i].text()->text, instructions[i], features[i], e.priority, e.cell);
    }
    for (const TextBox& s : soundings) placement.addSounding(s, ChartPoint{0, 0}, 0);
    RecordingDevice device;
    QPainter painter(&device);
    ChartFont().setUp(painter);
    placement.placeAndDraw(canvas(painter), nullptr);
    painter.end();
    std::vector<int> placed;
    for (const PlacedText& p : placement.placed()) {
      placed.push_back(p.feature->objectClass);
      // Where its instruction put it: the glyphs inside the box handed in.
      const int left = entries[static_cast<std::size_t>(p.feature->objectClass)].left;
      EXPECT_TRUE(p.box.left >= left && p.box.right <= left + 4000 && p.box.top >= 1000 && p.box.bottom <= 1400)
          << p.box.left << "," << p.box.top << " " << p.box.right << "," << p.box.bottom;
    }
    EXPECT_EQ(device.ofKind(PaintCall::Text).size(), placed.size());
    return placed;
  }

  std::vector<Instruction> instructions;
  std::vector<PointFeature> features;
};
}  // namespace

// Two texts in one place: the important one first (text groups 10 to 19 and
// 21 to 23), then the higher display priority, then the more detailed cell
// (drawn later), then the one met first. The other is dropped, not moved.
TEST_F(TextPlacementTest, TheMoreImportantOfTwoCollidingTextsWins) {
  const struct {
    const char* what;
    Entry first, second;
    int winner;
  } cases[] = {
      {"important before other", {26, 8, 5, 0}, {21, 3, 0, 0}, 1},
      {"higher display priority", {26, 3, 5, 0}, {26, 8, 0, 0}, 1},
      {"more detailed cell", {23, 8, 0, 0}, {23, 8, 2, 0}, 1},
      {"the first met", {23, 8, 2, 0}, {23, 8, 2, 0}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(place({c.first, c.second}), std::vector<int>{c.winner}) << c.what;
  // Apart, both stay where their instructions put them.
  EXPECT_EQ(place({{26, 8, 0, 0}, {26, 8, 0, 20000}}), (std::vector<int>{0, 1}));
}

// A sounding is chart data: a text that would touch its figures is dropped
// and the sounding stays; one clear of it is placed.
TEST_F(TextPlacementTest, NoTextIsPlacedOverASounding) {
  const TextBox inside{500, 700, 1100, 1300};
  const TextBox beside{-400, -1, 1100, 1300};  // ends a unit before the text's box
  EXPECT_TRUE(place({{21, 8, 0, 0}}, {inside}).empty());
  EXPECT_EQ(place({{21, 8, 0, 0}}, {beside}), std::vector<int>{0});
  // A text the sounding does not reach is placed beside one that it does.
  EXPECT_EQ(place({{21, 8, 0, 0}, {26, 3, 0, 20000}}, {inside}), std::vector<int>{1});
}

// A text or sounding painted over by a cell drawn later is neither drawn nor
// keeps anything away; a label of symbols (a contour's depth) is placed
// whole or not at all.
TEST_F(TextPlacementTest, HiddenTextsAndLabelsOfSymbols) {
  setColour("CHBLK", QColor(0, 0, 0));
  std::vector<Instruction> figures = {Symbol{"SAFCON01", {}, {}}, Symbol{"SAFCON02", {}, {}}};
  PointFeature named, under, contour;
  const Instruction name = text("Name", 26);
  TextPlacement placement;
  placement.addText(TextBox{0, 4000, 0, 400}, false, ChartPoint{1, 1}, name.text()->text, name, under, 9, 0);
  placement.addSounding(TextBox{1000, 1200, 0, 400}, ChartPoint{1, 1}, 0);
  placement.addText(TextBox{0, 4000, 0, 400}, false, ChartPoint{2, 2}, name.text()->text, name, named, 3, 1);
  placement.addSymbolLabel(TextBox{200, 800, 100, 300}, QPointF(200, 200), ChartPoint{2, 2}, figures, 0, 2,
                           contour, 2, 1, nullptr);
  placement.hide([](int cell, const ChartPoint& at) { return cell == 0 && at.x == 1; });
  RecordingDevice device;
  QPainter painter(&device);
  ChartFont().setUp(painter);
  placement.placeAndDraw(canvas(painter), nullptr);
  painter.end();
  // The name (free of the hidden text and sounding) is placed; the label of
  // lower priority on its glyphs is left out whole.
  ASSERT_EQ(placement.placed().size(), 1u);
  EXPECT_EQ(placement.placed()[0].feature, &named);
  EXPECT_TRUE(placement.soundingBoxes().empty());
  EXPECT_EQ(device.ofKind(PaintCall::Text).size(), 1u);
}

// A label's figures are stamped when its cell's symbols were, and drawn in
// place otherwise.
TEST_F(TextPlacementTest, ALabelOfSymbolsIsStampedAsItsCellsSymbols) {
  setColour("CHBLK", QColor(0, 0, 0));
  for (const char* name : {"SAFCON01", "SAFCON02"}) {
    SymbolDefinition& s = library().symbols[name];
    s.name = name;
    s.commands = {SP(colour("CHBLK")), SW(1), PU(0, 0), PD(0, 200), PD(100, 200)};
  }
  std::vector<Instruction> figures = {Symbol{"SAFCON01", {}, {}}, Symbol{"SAFCON02", {}, {}}};
  PointFeature near, far;
  TextPlacement placement;
  placement.addSymbolLabel(TextBox{200, 800, 100, 300}, QPointF(200, 200), ChartPoint{1, 1}, figures, 0, 2, near,
                           2, 0, nullptr, false);
  placement.addSymbolLabel(TextBox{2000, 2600, 100, 300}, QPointF(2000, 200), ChartPoint{2, 2}, figures, 0, 2, far,
                           2, 1, nullptr, true);
  RecordingDevice device;
  QPainter painter(&device);
  painter.setWindow(0, 0, 2300000, 2300000);  // 23 units to the pixel, as in the chart
  placement.placeAndDraw(canvas(painter), nullptr);
  painter.end();
  ASSERT_EQ(placement.placed().size(), 2u);
  EXPECT_EQ(device.ofKind(PaintCall::Path).size(), 2u);
  EXPECT_EQ(device.ofKind(PaintCall::Pixmap).size(), 2u);
}

namespace {
// Placed texts that overlap another placed text (boxesCollide) or touch a
// sounding shown (boxesOverlap).
int overlaps(const TextPlacement& placement) {
  int found = 0;
  const std::vector<PlacedText>& placed = placement.placed();
  for (std::size_t i = 0; i < placed.size(); ++i) {
    for (std::size_t j = i + 1; j < placed.size(); ++j) found += boxesCollide(placed[i].box, placed[j].box);
    for (const TextBox& s : placement.soundingBoxes()) found += boxesOverlap(placed[i].box, s);
  }
  return found;
}

class RealViews : public testing::Test {
protected:
  void SetUp() override {
    if (!engine.hasLibrary()) GTEST_SKIP() << "no generated library in " << CHART_SOURCE_DIR "/S57Lib";
    settings.setShowSoundings(1);
  }

  void showDepthContours(bool on) {
    if (settings.showDepthContours != on) settings.toggleDepthContours();
  }

  // The pass over the engine's cells at `scale`, centred on (lat, lon),
  // into an 862 x 686 image.
  const TextPlacement& draw(double latitude, double longitude, double scale) {
    view.centre = geoToChart(GeoPoint{latitude, longitude});
    EXPECT_TRUE(setTrueScale(view, scale));
    QImage image(862, 686, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    setupPainter(painter, 862, 686, view);
    view.draw(painter, engine, settings);
    return view.buffers.texts;
  }

  ChartEngine engine{CHART_SOURCE_DIR "/S57Lib", MissingFileReport::Silent};
  DisplaySettings settings{engine.library()};
  ChartView view;
};
}  // namespace

// US5WA22M at 1:25,000 with every sounding shown (SCAMIN off): names that
// overlapped each other and lay under soundings.
TEST_F(RealViews, HarbourAtOneTo25000) {
  const std::string cell = std::string(CHART_SHARED_ENC) + "/US5WA22M/US5WA22M.000";
  if (!fs::exists(cell)) GTEST_SKIP() << "US5WA22M is not under " << CHART_SHARED_ENC;
  ASSERT_TRUE(engine.loadCell(cell).ok());
  settings.setUseScaleMinimum(2);
  showDepthContours(true);
  const TextPlacement& texts = draw(47.275, -122.43, 25000);
  EXPECT_GT(texts.placed().size(), 10u);
  EXPECT_GT(texts.soundingBoxes().size(), 300u);
  EXPECT_LT(texts.placed().size(), texts.pending().size());  // some had no room
  EXPECT_EQ(overlaps(texts), 0);
}

// 300 synthetic cells: at 1:5,000,000 with their boundaries, the cell names
// along the coast that piled up; at 1:3,000,000 without, the labels of the
// depth contours off the coast.
TEST_F(RealViews, PortfolioAtSmallScales) {
  const fs::path folder = fs::temp_directory_path() / ("text-placement-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  ASSERT_TRUE(portfolio::writePortfolio(300, folder.string()).ok);
  for (const auto& entry : fs::directory_iterator(folder))
    ASSERT_TRUE(engine.loadCell(entry.path().string()).ok()) << entry.path();
  fs::remove_all(folder);

  // As enctool render draws them: soundings and depth contours off.
  settings.setShowSoundings(0);
  showDepthContours(false);
  settings.setShowCellBoundaries(1);
  // On a coastal cell of band 4, where the harbour cells lie thickest.
  ChartPoint coast{};
  for (const S57Cell* c : *engine.cells().snapshot())
    if (c->name.rfind("XX4P0083", 0) == 0)
      coast = ChartPoint{(c->boundingBox.minX + c->boundingBox.maxX) / 2, (c->boundingBox.minY + c->boundingBox.maxY) / 2};
  const GeoPoint corner = chartToGeo(coast);
  const TextPlacement& names = draw(corner.latitude, corner.longitude, 5000000);
  int cellNames = 0;
  for (const PlacedText& p : names.placed()) cellNames += p.feature == nullptr;
  EXPECT_GT(cellNames, 10);
  EXPECT_EQ(overlaps(names), 0);

  settings.setShowCellBoundaries(0);
  showDepthContours(true);
  const TextPlacement& labels = draw(-47.5, 71.5, 3000000);
  EXPECT_GT(labels.placed().size(), 50u);
  EXPECT_LT(labels.placed().size(), labels.pending().size());
  EXPECT_EQ(overlaps(labels), 0);
}
