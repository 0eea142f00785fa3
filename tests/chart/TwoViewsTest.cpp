// Two views draw the same cells at once on two threads, with different
// settings (symbol style, contour set, colour table), many passes each:
// each picture equals the one its view draws alone. Run under
// ThreadSanitizer by test.sh, which then also checks that the passes share
// nothing unguarded.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <thread>

#include "CellDetailLevels.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "PresentationLibrary.h"
#include "TextShaping.h"

namespace {
const std::string kCell = CHART_SHARED_ENC "/US5WA22M/US5WA22M.000";
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";

struct Choice {
  int category, contours, scheme, style;
  bool soundings;
};

DisplaySettings settingsFor(const Choice& s, const PresentationLibrary& library) {
  DisplaySettings settings(library);
  settings.setDisplayCategory(s.category);
  settings.setContourSet(s.contours);
  settings.setColourScheme(s.scheme);
  settings.setSymbolStyle(s.style);
  settings.setShowSoundings(s.soundings ? 1 : 2);
  if (!settings.showDepthContours) settings.toggleDepthContours();
  return settings;
}

QImage drawPasses(ChartEngine& engine, ChartView view, const DisplaySettings& settings,
                  const std::vector<S57Cell*>& cells, int passes) {
  QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
  for (int i = 0; i < passes; ++i) {
    image.fill(Qt::white);
    QPainter painter(&image);
    setupPainter(painter, image.width(), image.height(), view);
    view.draw(painter, engine, settings, cells);
  }
  return image;
}
}  // namespace

TEST(TwoViews, DrawTheSameCellsAtOnceAsEachDrawsAlone) {
  if (!std::filesystem::exists(kCell) || !std::filesystem::is_directory(kLibrary))
    GTEST_SKIP() << "needs " << kCell << " and the library " << kLibrary << " (scripts/setup.sh)";
  ChartEngine engine(kLibrary, MissingFileReport::Silent);
  ASSERT_EQ(engine.libraryResult(), LibraryResult::Ok);
  ChartView loaded;
  ASSERT_EQ(engine.loadCell(kCell, &loaded), ReaderResult::Ok);
  const CellSnapshot snapshot = engine.cells().snapshot();

  // Two views of Commencement Bay that overlap, at two scales.
  ChartView first = loaded, second = loaded;
  setCentreGeo(47.275, -122.43, first);
  first.scale = 11000;
  setCentreGeo(47.27, -122.41, second);
  second.scale = 25000;
  const Choice choices[2] = {{1, 10, 1, 2, true}, {2, 5, 5, 1, true}};
  const DisplaySettings settings[2] = {settingsFor(choices[0], engine.library()),
                                       settingsFor(choices[1], engine.library())};
  const ChartView views[2] = {first, second};

  // As every program that draws on several threads does first.
  warmTextShaping(engine.chartFont().font());
  QImage together[2];
  {
    std::thread a([&] { together[0] = drawPasses(engine, views[0], settings[0], *snapshot, 6); });
    std::thread b([&] { together[1] = drawPasses(engine, views[1], settings[1], *snapshot, 6); });
    a.join();
    b.join();
  }
  for (int i = 0; i < 2; ++i) {
    const QImage alone = drawPasses(engine, views[i], settings[i], *snapshot, 1);
    EXPECT_TRUE(together[i] == alone) << "view " << i;
  }
}

// One thread makes the levels of detail while a view that makes none draws
// on another, with whatever is made so far; once they are all made, its
// picture equals that of a view that makes what it needs.
TEST(TwoViews, AViewDrawsWithTheLevelsAnotherThreadMakes) {
  if (!std::filesystem::exists(kCell) || !std::filesystem::is_directory(kLibrary))
    GTEST_SKIP() << "needs " << kCell << " and the library " << kLibrary << " (scripts/setup.sh)";
  ChartEngine engine(kLibrary, MissingFileReport::Silent);
  ASSERT_EQ(engine.libraryResult(), LibraryResult::Ok);
  ChartView view;
  ASSERT_EQ(engine.loadCell(kCell, &view), ReaderResult::Ok);
  const CellSnapshot snapshot = engine.cells().snapshot();
  const S57Cell& cell = *snapshot->front();
  ASSERT_TRUE(cell.detail);
  view.scale *= 8;
  view.makeDetailLevels = false;
  updateOrigin(view);
  ASSERT_GE(detailLevelForView(cell.detail->tolerances(), view), 2);
  const DisplaySettings settings = settingsFor({1, 10, 1, 2, true}, engine.library());

  warmTextShaping(engine.chartFont().font());
  std::thread maker([&] {
    for (int level = 1; level <= kDetailLevels; ++level) cell.detail->level(cell, level);
  });
  drawPasses(engine, view, settings, *snapshot, 6);
  maker.join();
  ChartView making = view;
  making.makeDetailLevels = true;
  EXPECT_TRUE(drawPasses(engine, view, settings, *snapshot, 1) == drawPasses(engine, making, settings, *snapshot, 1));
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QGuiApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
