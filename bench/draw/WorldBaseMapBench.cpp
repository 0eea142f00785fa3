// The world base map in the draw pass, into an 862 x 686 image (the
// window's size): BaseMap draws it alone over the China coast at the start
// scale (1:110m land), at 1:10,000,000, 1:1,000,000 and 1:100,000 (1:50m
// land), with the allocations a pass makes once warmed up; DrawPass is the
// whole pass of US5WA22M.000 at its compilation scale and at 100 times it,
// with the base map on and off, and the allocations it makes.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>

#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "TrueScale.h"
#include "WorldBaseMap.h"

// Every allocation of the process is counted, so a pass can report its own.
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
const std::string kWorldLand = std::string(CHART_SOURCE_DIR) + "/worldland.bin";

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
    static char name[] = "world_base_map_bench";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // never destroyed: Qt must not be torn down during static destruction
    std::string error;
    f.engine = std::make_unique<ChartEngine>(kLibrary, MissingFileReport::Silent);
    if (!f.engine->hasLibrary()) {
      f.error = "no usable library in S57Lib (run scripts/setup.sh)";
    } else if (!f.engine->worldBaseMap().load(kWorldLand, error)) {
      f.error = "no world base map (run scripts/build-basemap.sh): " + error;
    } else {
      f.engine->registerChartFont();
      if (std::filesystem::exists(kCell) && f.engine->loadCell(kCell, &f.loaded) != ReaderResult::Ok)
        f.error = "loadCell failed";
    }
    return true;
  }();
  (void)ready;
  return f;
}

void BaseMap(benchmark::State& state) {
  Fixture& f = fixture();
  if (!f.error.empty()) return state.SkipWithError(f.error.c_str());
  ChartView view;
  WorldBaseMap& map = f.engine->worldBaseMap();
  const ColourTable& colours = f.engine->library().colourTable(ColourScheme::DAY_BRIGHT);
  QImage image(862, 686, QImage::Format_ARGB32_Premultiplied);
  {
    QPainter painter(&image);
    setupPainter(painter, image.width(), image.height(), view);
    setCentreGeo(30.0, 119.0, view);
    setTrueScale(view, static_cast<double>(state.range(0)));
    map.draw(Canvas{painter, colours, f.engine->drawings(), view.scratch}, view, view.baseMapBuffers);  // warm up
  }
  QPainter painter(&image);
  setupPainter(painter, image.width(), image.height(), view);
  long long allocated = 0;
  const Canvas canvas{painter, colours, f.engine->drawings(), view.scratch};
  for (auto _ : state) {
    const long long before = allocations.load();
    map.draw(canvas, view, view.baseMapBuffers);
    allocated += allocations.load() - before;
  }
  state.counters["polygons"] = map.polygonsDrawn();
  state.counters["allocs_per_pass"] = benchmark::Counter(static_cast<double>(allocated), benchmark::Counter::kAvgIterations);
}

// range(0): scale as a multiple of the compilation scale; range(1): base map on.
void DrawPass(benchmark::State& state) {
  Fixture& f = fixture();
  if (!f.error.empty()) return state.SkipWithError(f.error.c_str());
  if (f.engine->cells().size() == 0) return state.SkipWithError("US5WA22M.000 not found under CHART_SHARED_ENC");
  DisplaySettings settings(f.engine->library());
  settings.setContourSet(10);
  settings.setShowWorldBaseMap(state.range(1) ? 1 : 2);
  ChartView view = f.loaded;
  view.scale *= static_cast<float>(state.range(0));
  QImage image(862, 686, QImage::Format_ARGB32_Premultiplied);
  const CellSnapshot cells = f.engine->cells().snapshot();
  long long allocated = 0;
  for (auto _ : state) {
    state.PauseTiming();
    image.fill(Qt::white);
    QPainter painter(&image);
    setupPainter(painter, image.width(), image.height(), view);
    state.ResumeTiming();
    const long long before = allocations.load();
    view.draw(painter, *f.engine, settings, *cells);
    allocated += allocations.load() - before;
    state.PauseTiming();
    painter.end();
    state.ResumeTiming();
  }
  state.counters["polygons"] = f.engine->worldBaseMap().polygonsDrawn();
  state.counters["allocs_per_pass"] = benchmark::Counter(static_cast<double>(allocated), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BaseMap)->ArgName("scale")->Arg(36978668)->Arg(10000000)->Arg(1000000)->Arg(100000)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(DrawPass)->ArgNames({"scale_x", "base_map"})->Args({1, 0})->Args({1, 1})->Args({100, 0})->Args({100, 1})
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
