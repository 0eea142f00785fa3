// The chart view's draw pass of US5WA22M.000 into an 862 x 686 image at the
// cell's compilation scale, as the window draws it: without a route
// (Pass/0), with a 20-leg route, its corridors and waypoints drawn over it
// (Pass/1), and while the route is being edited (Pass/2: every pass a
// waypoint moved and the route's geometry rebuilt, as a drag does), and the
// route alone on a blank image (Pass/3). Goal:
// the route costs at most 10 % of the pass. `allocations` counts what the
// route's own drawing allocates per pass (goal: 0).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>

#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "Route.h"
#include "RouteOverlay.h"

static std::atomic<long long> allocations{0};
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

const std::string kCell = std::string(CHART_SHARED_ENC) + "/US5WA22M/US5WA22M.000";
const std::string kLibrary = std::string(CHART_SOURCE_DIR) + "/S57Lib";

struct Fixture {
  std::unique_ptr<ChartEngine> engine;
  ChartView loaded;
  std::string error;
};

Fixture& fixture() {
  static Fixture f;
  static const bool ready = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "route_draw_bench";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // never destroyed: not during static destruction
    if (!std::filesystem::exists(kCell)) {
      f.error = "US5WA22M.000 not found under CHART_SHARED_ENC";
    } else if (f.engine = std::make_unique<ChartEngine>(kLibrary, MissingFileReport::Silent);
               !f.engine->hasLibrary()) {
      f.error = "no usable library in S57Lib (run scripts/setup.sh)";
    } else {
      f.engine->registerChartFont();
      if (f.engine->loadCell(kCell, &f.loaded) != ReaderResult::Ok) f.error = "loadCell failed";
    }
    return true;
  }();
  (void)ready;
  return f;
}

// 21 waypoints zigzagging across the view, every other leg a great circle.
Route zigzag(const ViewGeometry& view, int width, int height) {
  Route route("bench");
  for (int i = 0; i <= 20; ++i) {
    Waypoint w;
    w.position = pixelToGeo(static_cast<float>(40 + i * (width - 80) / 20.0),
                            static_cast<float>(i % 2 ? height * 0.25 : height * 0.75), view);
    LegSettings leg;
    leg.kind = i % 2 ? LegKind::GreatCircle : LegKind::Rhumb;
    leg.portXtdNm = leg.starboardXtdNm = 0.1;
    route.appendWaypoint(w, leg);
  }
  return route;
}

void Pass(benchmark::State& state) {
  Fixture& f = fixture();
  if (!f.error.empty()) {
    state.SkipWithError(f.error.c_str());
    return;
  }
  const int mode = static_cast<int>(state.range(0));
  ChartView view = f.loaded;
  DisplaySettings settings(f.engine->library());
  settings.setContourSet(10);
  QImage image(862, 686, QImage::Format_ARGB32_Premultiplied);
  const CellSnapshot cells = f.engine->cells().snapshot();
  {
    QPainter warm(&image);
    setupPainter(warm, image.width(), image.height(), view);
  }
  Route route = zigzag(view, image.width(), image.height());
  const GeoPoint moved = route.waypoints()[10].position;
  RouteOverlay overlay;
  overlay.setColours(*settings.colourTable);
  if (mode > 0) overlay.setRoute(&route);
  long long routeAllocations = 0;
  double routeSeconds = 0;
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    image.fill(Qt::white);
    QPainter painter(&image);
    setupPainter(painter, image.width(), image.height(), view);
    state.ResumeTiming();
    if (mode == 2) {
      // A drag step: the waypoint a little further, the geometry anew.
      route.moveWaypoint(10, {moved.latitude + 1e-4 * (step++ % 20), moved.longitude});
      overlay.setRoute(&route);
    }
    if (mode != 3) view.draw(painter, *f.engine, settings, *cells);
    else updateOrigin(view);
    const long long before = allocations.load();
    const auto start = std::chrono::steady_clock::now();
    if (mode > 0) overlay.draw(painter, view);
    routeSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    routeAllocations += allocations.load() - before;
    state.PauseTiming();
    painter.end();
    if (qEnvironmentVariableIsSet("ROUTE_BENCH_IMAGE") && mode == 1) image.save(qEnvironmentVariable("ROUTE_BENCH_IMAGE"));
    state.ResumeTiming();
  }
  state.counters["route_ms"] = benchmark::Counter(routeSeconds * 1e3, benchmark::Counter::kAvgIterations);
  state.counters["allocations"] =
      benchmark::Counter(static_cast<double>(routeAllocations), benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(Pass)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->MinTime(2.0);
