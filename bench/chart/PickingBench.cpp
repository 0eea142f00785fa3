// Object selection in US5WA22M.000 with its updates: one pick (what a click
// in object selection costs after the pass has drawn) at the densest place
// of the cell, the position where the most objects are picked, searched on
// a 40 x 40 grid over the cell. The view is 862 x 686 pixels centred on the
// position, at the cell's compilation scale and at four times it, with
// every display category, soundings and depth contours shown (goal: at
// most 10 ms each).
#include <benchmark/benchmark.h>

#include <filesystem>

#include <memory>

#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "MercatorProjection.h"
#include "ObjectPicking.h"

namespace {

const std::string kCell = std::string(CHART_SHARED_ENC) + "/US5WA22M/US5WA22M.000";
const std::string kLibrary = std::string(CHART_SOURCE_DIR) + "/S57Lib";

struct Fixture {
  std::unique_ptr<ChartEngine> engine;
  ChartView loaded;  // as loading left it: centred on the cell at its scale
  std::string error;
};

Fixture& fixture() {
  static Fixture f;
  static const bool ready = [] {
    f.engine = std::make_unique<ChartEngine>(kLibrary, MissingFileReport::Silent);
    if (!std::filesystem::exists(kCell))
      f.error = "US5WA22M.000 not found under CHART_SHARED_ENC";
    else if (!f.engine->hasLibrary())
      f.error = "no usable library in S57Lib (run scripts/setup.sh)";
    else if (f.engine->loadCell(kCell, &f.loaded) != ReaderResult::Ok)
      f.error = "loadCell failed";
    return true;
  }();
  (void)ready;
  return f;
}

DisplaySettings allShown(const PresentationLibrary& library) {
  DisplaySettings s(library);
  s.setContourSet(10);
  s.setDisplayCategory(2);
  s.setShowSoundings(1);
  if (!s.showDepthContours) s.toggleDepthContours();
  return s;
}

// The view centred on `at`, with the cells a pass of it draws.
void centreOn(ChartView& view, const ChartPoint& at, const std::vector<S57Cell*>& cells) {
  const GeoPoint geo = chartToGeo(at);
  setCentreGeo(geo.latitude, geo.longitude, view);
  view.chooseDrawnCells(cells);
}

// range(0): scale as a multiple of the compilation scale.
void Pick(benchmark::State& state) {
  Fixture& f = fixture();
  if (!f.error.empty()) {
    state.SkipWithError(f.error.c_str());
    return;
  }
  ChartView view = f.loaded;
  view.scale *= static_cast<float>(state.range(0));
  view.viewportWidth = 862 * LOGICAL_UNITS_PER_PIXEL;
  view.viewportHeight = 686 * LOGICAL_UNITS_PER_PIXEL;
  const DisplaySettings settings = allShown(f.engine->library());
  const CellSnapshot cells = f.engine->cells().snapshot();
  const ChartBox box = (*cells).front()->boundingBox;

  // The densest place; searching also runs the procedures, as the pass
  // before a click would have.
  ChartPoint densest{};
  std::size_t most = 0;
  constexpr int kGrid = 40;
  for (int row = 0; row < kGrid; ++row)
    for (int column = 0; column < kGrid; ++column) {
      const ChartPoint at{box.minX + (column + 0.5) * (box.maxX - box.minX) / kGrid,
                          box.minY + (row + 0.5) * (box.maxY - box.minY) / kGrid};
      centreOn(view, at, *cells);
      const std::size_t n = pickObjects(view.drawnCells, view, settings, at).size();
      if (n > most) most = n, densest = at;
    }
  centreOn(view, densest, *cells);

  std::size_t picked = 0;
  for (auto _ : state) {
    const std::vector<PickedObject> objects = pickObjects(view.drawnCells, view, settings, densest);
    picked = objects.size();
    benchmark::DoNotOptimize(objects.data());
  }
  const GeoPoint geo = chartToGeo(densest);
  state.counters["picked"] = static_cast<double>(picked);
  state.counters["lat"] = geo.latitude;
  state.counters["lon"] = geo.longitude;
}

BENCHMARK(Pick)
    ->ArgName("scale_x")
    ->Arg(1)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
