// The window checks a route on a worker thread while the chart is drawn
// from the same cells. The check reads only what a cell holds as loaded,
// and the draw pass keeps its own results in atomic caches: checks made
// while two passes draw give the findings a check alone gives. Run under
// ThreadSanitizer by test.sh, which then also checks that the check and the
// draw pass share nothing unguarded.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <thread>

#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "PresentationLibrary.h"
#include "RouteCheck.h"
#include "TextShaping.h"

namespace {
const std::string kCell = CHART_SHARED_ENC "/US5WA22M/US5WA22M.000";
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";

// Across Commencement Bay and over its shoals, so the check finds
// contours, dangers and areas in the cell the view draws.
Route bayRoute() {
  Route route;
  const GeoPoint corners[] = {{47.30, -122.47}, {47.27, -122.44}, {47.285, -122.42},
                              {47.26, -122.40}, {47.275, -122.37}};
  for (const GeoPoint& p : corners) route.appendWaypoint(Waypoint{p, "", std::nullopt});
  return route;
}

bool sameFindings(const RouteCheckResult& a, const RouteCheckResult& b) {
  if (a.findings.size() != b.findings.size()) return false;
  for (std::size_t i = 0; i < a.findings.size(); ++i) {
    const RouteFinding &x = a.findings[i], &y = b.findings[i];
    if (x.leg != y.leg || x.kind != y.kind || x.reason != y.reason || x.objectClass != y.objectClass ||
        x.featureNumber != y.featureNumber || x.alongMetres != y.alongMetres)
      return false;
  }
  return true;
}
}  // namespace

TEST(CheckWhileDrawing, FindsWhatACheckAloneFindsWhileTheCellsAreDrawn) {
  if (!std::filesystem::exists(kCell) || !std::filesystem::is_directory(kLibrary))
    GTEST_SKIP() << "needs " << kCell << " and the library " << kLibrary << " (scripts/setup.sh)";
  ChartEngine engine(kLibrary, MissingFileReport::Silent);
  ASSERT_EQ(engine.libraryResult(), LibraryResult::Ok);
  ChartView view;
  ASSERT_EQ(engine.loadCell(kCell, &view), ReaderResult::Ok);
  const CellSnapshot cells = engine.cells().snapshot();
  const IndexedSnapshot indexed = engine.cells().indexedSnapshot();
  setCentreGeo(47.28, -122.42, view);
  view.scale = 20000;
  const Route route = bayRoute();

  // Two colour tables and contour sets, so the passes keep replacing the
  // features' cached procedure results while the check reads the features.
  DisplaySettings day(engine.library()), night(engine.library());
  night.setColourScheme(5);
  night.setContourSet(5);
  warmTextShaping(engine.chartFont().font());
  const auto draw = [&](ChartView view, const DisplaySettings& settings) {  // a view each
    QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < 4; ++i) {
      image.fill(Qt::white);
      QPainter painter(&image);
      setupPainter(painter, image.width(), image.height(), view);
      view.draw(painter, engine, settings, *cells);
    }
  };
  RouteCheckResult during[3];
  {
    std::thread a([&] { draw(view, day); });
    std::thread b([&] { draw(view, night); });
    std::thread check([&] {
      for (RouteCheckResult& result : during) result = checkRoute(route, *indexed, RouteCheckSettings{});
    });
    a.join();
    b.join();
    check.join();
  }
  const RouteCheckResult alone = checkRoute(route, *indexed, RouteCheckSettings{});
  ASSERT_FALSE(alone.findings.empty()) << "the route should meet something to check in " << kCell;
  for (const RouteCheckResult& result : during) EXPECT_TRUE(sameFindings(result, alone));
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QGuiApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
