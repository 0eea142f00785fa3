// The full draw pass (areas, lines, points and soundings, with soundings and
// depth contours shown) into an 862 x 686 image, centred on the cell, at its
// compilation scale and at 2, 4, 8 and 16 times it: of US5WA22M.000
// (FullDrawPass) and of the synthetic approach cell with many vertices to a
// pixel (ApproachDrawPass, ApproachCell.h). Goals: a median of at most 25
// ms each for a repaint of US5WA22M, at most 16 ms for the approach cell at
// every scale, and at most 60 ms for the first pass after a change of the
// safety contour, when the depth-dependent procedures are rebuilt.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

#include "ApproachCell.h"

#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"

namespace {

const std::string kCell = std::string(CHART_SHARED_ENC) + "/US5WA22M/US5WA22M.000";
const std::string kLibrary = std::string(CHART_SOURCE_DIR) + "/S57Lib";

struct Fixture {
  std::unique_ptr<ChartEngine> engine;
  ChartView loaded;  // as loading left it: centred on the cell at its scale
  std::unique_ptr<ChartEngine> approach;  // the approach cell alone
  ChartView approachLoaded;
  std::string error;
};

// The approach cell through a file, as a window loads it.
void loadApproachCell(Fixture& f) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("draw-bench-" + std::to_string(getpid()) + "-XX4APPR1.000");
  const std::string image = approachCellImage();
  std::ofstream(path, std::ios::binary).write(image.data(), static_cast<std::streamsize>(image.size()));
  f.approach = std::make_unique<ChartEngine>(kLibrary, MissingFileReport::Silent);
  f.approach->registerChartFont();
  if (f.approach->loadCell(path.string(), &f.approachLoaded) != ReaderResult::Ok)
    f.error = "loadCell failed for XX4APPR1";
  std::filesystem::remove(path);
}

void setUp(Fixture& f) {
  if (!QGuiApplication::instance()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "draw_bench";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt must not be torn down during static destruction.
    new QGuiApplication(argc, argv);
  }
  if (!std::filesystem::exists(kCell)) {
    f.error = "US5WA22M.000 not found under CHART_SHARED_ENC";
  } else if (f.engine = std::make_unique<ChartEngine>(kLibrary, MissingFileReport::Silent);
             !f.engine->hasLibrary()) {
    f.error = "no usable library in S57Lib (run scripts/setup.sh)";
  } else {
    f.engine->registerChartFont();
    if (f.engine->loadCell(kCell, &f.loaded) != ReaderResult::Ok) f.error = "loadCell failed";
    else loadApproachCell(f);
  }
}

Fixture& fixture() {
  static Fixture f;
  static const bool ready = (setUp(f), true);
  (void)ready;
  return f;
}

// As the window shows the cell with soundings and depth contours switched on.
void showEverything(DisplaySettings& s, int contourSet) {
  s.setContourSet(contourSet);
  s.setShowSoundings(1);
  if (!s.showDepthContours) s.toggleDepthContours();
}

double threadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

// One draw pass; its wall-clock seconds, and its processor seconds added
// to `cpu` (the drawing runs on this thread only).
double drawOnce(ChartEngine& engine, ChartView& view, const DisplaySettings& settings, QImage& image,
                const std::vector<S57Cell*>& cells, double& cpu) {
  image.fill(Qt::white);
  QPainter painter(&image);
  setupPainter(painter, image.width(), image.height(), view);
  const double cpuStart = threadSeconds();
  const auto start = std::chrono::steady_clock::now();
  view.draw(painter, engine, settings, cells);
  const auto stop = std::chrono::steady_clock::now();
  cpu += threadSeconds() - cpuStart;
  painter.end();
  return std::chrono::duration<double>(stop - start).count();
}

// The processor milliseconds of one pass: on a loaded machine the
// wall-clock time also counts the waits for a processor.
void reportProcessorTime(benchmark::State& state, double cpu) {
  state.counters["cpu_ms"] = state.iterations() ? 1000.0 * cpu / static_cast<double>(state.iterations()) : 0.0;
}

// range(0): scale as a multiple of the compilation scale. Every pass after
// the first repaints with unchanged settings.
void repaints(benchmark::State& state, ChartEngine* engine, const ChartView& loaded) {
  Fixture& f = fixture();
  if (!f.error.empty()) {
    state.SkipWithError(f.error.c_str());
    return;
  }
  DisplaySettings settings(f.engine->library());
  showEverything(settings, 10);
  ChartView view = loaded;
  view.scale *= static_cast<float>(state.range(0));
  QImage image(862, 686, QImage::Format_ARGB32_Premultiplied);
  const CellSnapshot cells = engine->cells().snapshot();
  double cpu = 0;
  drawOnce(*engine, view, settings, image, *cells, cpu);  // procedures of a first visit
  cpu = 0;
  for (auto _ : state) state.SetIterationTime(drawOnce(*engine, view, settings, image, *cells, cpu));
  reportProcessorTime(state, cpu);
}

void FullDrawPass(benchmark::State& state) { repaints(state, fixture().engine.get(), fixture().loaded); }
void ApproachDrawPass(benchmark::State& state) {
  repaints(state, fixture().approach.get(), fixture().approachLoaded);
}

// The sweep of scales a mariner zooms out through.
void scaleSweep(benchmark::internal::Benchmark* b) {
  b->ArgName("scale_x");
  for (int times : {1, 2, 4, 8, 16}) b->Arg(times);
  b->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}
BENCHMARK(FullDrawPass)->Apply(scaleSweep);
BENCHMARK(ApproachDrawPass)->Apply(scaleSweep);

// Every pass follows a change of the contour set (10 and 5 in turn), so the
// depth areas, obstructions, wrecks and line obstructions rebuild their
// generated instructions.
void FirstPassAfterContourChange(benchmark::State& state) {
  Fixture& f = fixture();
  if (!f.error.empty()) {
    state.SkipWithError(f.error.c_str());
    return;
  }
  DisplaySettings settings(f.engine->library());
  ChartView view = f.loaded;
  view.scale *= static_cast<float>(state.range(0));
  QImage image(862, 686, QImage::Format_ARGB32_Premultiplied);
  const CellSnapshot cells = f.engine->cells().snapshot();
  showEverything(settings, 10);
  double cpu = 0;
  drawOnce(*f.engine, view, settings, image, *cells, cpu);
  cpu = 0;
  int contourSet = 10;
  for (auto _ : state) {
    contourSet = contourSet == 10 ? 5 : 10;
    showEverything(settings, contourSet);
    state.SetIterationTime(drawOnce(*f.engine, view, settings, image, *cells, cpu));
  }
  reportProcessorTime(state, cpu);
}
BENCHMARK(FirstPassAfterContourChange)
    ->ArgName("scale_x")
    ->Arg(1)
    ->Arg(4)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
