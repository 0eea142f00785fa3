// The draw pass of US5WA22M.000 into an 862 x 686 image, centred on the
// cell, at its compilation scale and at four times it (true scales), with the pattern tile
// cache and without it: AreaPass draws what the area portrayal and the cell
// frames draw (goal: a median of at most 15 ms each), DrawPass the whole
// pass of the chart view. SoundingsPass is the whole pass at 1:100,000 with
// soundings shown, where the soundings' own SCAMIN hides them.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <memory>

#include "AreaDrawer.h"
#include "CellBoundary.h"
#include "CellChoice.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "TrueScale.h"

namespace {

const std::string kCell = std::string(CHART_SHARED_ENC) + "/US5WA22M/US5WA22M.000";
const std::string kLibrary = std::string(CHART_SOURCE_DIR) + "/S57Lib";

struct Fixture {
  std::unique_ptr<ChartEngine> engine;
  ChartView loaded;  // as loading left it: centred on the cell at its scale
  std::string error;
};

void setUp(Fixture& f) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "draw_bench";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt must not be torn down during static destruction.
  new QGuiApplication(argc, argv);
  if (!std::filesystem::exists(kCell)) {
    f.error = "US5WA22M.000 not found under CHART_SHARED_ENC";
  } else if (f.engine = std::make_unique<ChartEngine>(kLibrary, MissingFileReport::Silent);
             !f.engine->hasLibrary()) {
    f.error = "no usable library in S57Lib (run scripts/setup.sh)";
  } else {
    f.engine->registerChartFont();
    if (f.engine->loadCell(kCell, &f.loaded) != ReaderResult::Ok) f.error = "loadCell failed";
  }
}

Fixture& fixture() {
  static Fixture f;
  static const bool ready = (setUp(f), true);
  (void)ready;
  return f;
}

// The areas and frames of the cells the pass would draw, in its order.
void drawAreasAndBoundaries(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings,
                            ChartView& view, const std::vector<S57Cell*>& cells) {
  updateOrigin(view);
  view.drawnCells.clear();
  chooseCandidates(cells, view, view.candidates);
  DrawContext dc{Canvas{painter, *settings.colourTable, engine.drawings(), view.scratch}, settings, view,
                 view.buffers};
  for (auto it = view.candidates.rbegin(); it != view.candidates.rend(); ++it) {
    S57Cell& cell = **it;
    if (cellShownAtScale(cell, isNestedCell(cell, view.candidates), static_cast<float>(trueScale(view)))) {
      dc.buffers.textBoxes.boxes.clear();
      for (const auto& area : cell.areas) drawArea(dc, *area, cell);
      view.drawnCells.push_back(&cell);
    }
    drawCellBoundary(painter, cell, view);
  }
}

// range(0): scale as a multiple of the compilation scale; range(1): 1 with
// the tile cache, 0 without.
template <bool WholePass>
void run(benchmark::State& state) {
  Fixture& f = fixture();
  if (!f.error.empty()) {
    state.SkipWithError(f.error.c_str());
    return;
  }
  PatternTileCache& tiles = f.engine->drawings().patternTiles;
  tiles.setEnabled(state.range(1) != 0);
  tiles.clear();
  ChartView view = f.loaded;
  view.scale *= static_cast<float>(state.range(0));
  DisplaySettings settings(f.engine->library());
  settings.setContourSet(10);  // as the main window starts
  QImage image(862, 686, QImage::Format_ARGB32_Premultiplied);
  const CellSnapshot cells = f.engine->cells().snapshot();
  const long long tilesBefore = tiles.tilesBuilt();
  for (auto _ : state) {
    state.PauseTiming();
    image.fill(Qt::white);
    QPainter painter(&image);
    setupPainter(painter, image.width(), image.height(), view);
    state.ResumeTiming();
    if (WholePass)
      view.draw(painter, *f.engine, settings, *cells);
    else
      drawAreasAndBoundaries(painter, *f.engine, settings, view, *cells);
    state.PauseTiming();
    painter.end();
    state.ResumeTiming();
  }
  state.counters["tiles_per_pass"] = benchmark::Counter(static_cast<double>(tiles.tilesBuilt() - tilesBefore),
                                                        benchmark::Counter::kAvgIterations);
  state.counters["cells_drawn"] = static_cast<double>(view.drawnCells.size());
  tiles.setEnabled(true);
}

void AreaPass(benchmark::State& state) { run<false>(state); }
void DrawPass(benchmark::State& state) { run<true>(state); }

#define DRAW_BENCHMARK(function)                \
  BENCHMARK(function)                           \
      ->ArgNames({"scale_x", "tile_cache"})     \
      ->Args({1, 1})                            \
      ->Args({4, 1})                            \
      ->Args({1, 0})                            \
      ->Args({4, 0})                            \
      ->Unit(benchmark::kMillisecond)           \
      ->Repetitions(5)                          \
      ->ReportAggregatesOnly(true)

DRAW_BENCHMARK(AreaPass);
DRAW_BENCHMARK(DrawPass);

void SoundingsPass(benchmark::State& state) {
  Fixture& f = fixture();
  if (!f.error.empty()) {
    state.SkipWithError(f.error.c_str());
    return;
  }
  ChartView view = f.loaded;
  setTrueScale(view, 100000);
  DisplaySettings settings(f.engine->library());
  settings.setContourSet(10);
  settings.setShowSoundings(1);
  QImage image(862, 686, QImage::Format_ARGB32_Premultiplied);
  const CellSnapshot cells = f.engine->cells().snapshot();
  for (auto _ : state) {
    state.PauseTiming();
    image.fill(Qt::white);
    QPainter painter(&image);
    setupPainter(painter, image.width(), image.height(), view);
    state.ResumeTiming();
    view.draw(painter, *f.engine, settings, *cells);
    state.PauseTiming();
    painter.end();
    state.ResumeTiming();
  }
}
BENCHMARK(SoundingsPass)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
