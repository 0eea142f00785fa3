// A synthetic portfolio of 1,000 cells in usage bands 2 to 5, written once
// into a temporary folder (as enctool demo --portfolio writes it) and
// loaded. DrawPass times the whole draw pass of the chart view into an
// 862 x 686 image, soundings on, at an overview, a coastal, an approach and
// a harbour scale, each at the three positions where the scan over every
// cell admits the most cells (goal: at most 30 ms each); Pick times a click
// at the middle of the densest harbour view (goal: at most 10 ms). Memory
// reports the heap and the resident set after loading 100, 500 and 1,000
// cells (goal: proportional to the cells loaded), and what every level of
// detail of every cell would add (goal: at most 30 % of the heap per cell).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "CellChoice.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "MercatorProjection.h"
#include "Portfolio.h"
#include "PortfolioPlan.h"
#include "TrueScale.h"

namespace {

constexpr int kCells = 1000;
constexpr int kWidth = 862, kHeight = 686;
constexpr int kPositionsPerScale = 3;
const std::string kLibrary = std::string(CHART_SOURCE_DIR) + "/S57Lib";

struct Level {
  const char* name;
  float scale;
  int band;  // the band whose cell corners and centres are tried as positions
};
constexpr Level kLevels[] = {
    {"overview", 1500000.0f, 2}, {"coastal", 180000.0f, 3}, {"approach", 60000.0f, 4}, {"harbour", 20000.0f, 5}};

struct MemoryAt {
  int cells;
  double heapMB, rssMB;
};

struct Fixture {
  std::unique_ptr<ChartEngine> engine;
  std::vector<ChartPoint> positions[std::size(kLevels)];
  std::vector<MemoryAt> memory;
  std::string error;
};

double residentMB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

ChartView viewAt(const ChartPoint& centre, float scale) {
  ChartView view;
  view.centre = centre;
  setTrueScale(view, scale);
  view.viewportWidth = kWidth * LOGICAL_UNITS_PER_PIXEL;
  view.viewportHeight = kHeight * LOGICAL_UNITS_PER_PIXEL;
  updateOrigin(view);
  return view;
}

// How many cells the scan over every cell and the scale rules admit at a
// view, then how many meet it.
std::pair<size_t, size_t> cellsAdmitted(const std::vector<S57Cell*>& cells, const ChartView& view) {
  std::vector<S57Cell*> candidates;
  chooseCandidates(cells, view, candidates);
  size_t shown = 0;
  for (S57Cell* cell : candidates)
    if (cellShownAtScale(*cell, isNestedCell(*cell, candidates), static_cast<float>(trueScale(view)))) ++shown;
  return {shown, candidates.size()};
}

// The corners and centres of the band's cells, densest first.
std::vector<ChartPoint> densestPositions(const std::vector<S57Cell*>& cells,
                                         const std::vector<portfolio::PlannedCell>& plan, const Level& level) {
  struct Tried {
    ChartPoint at;
    std::pair<size_t, size_t> count;
  };
  std::vector<Tried> tried;
  const double unit = 1.0 / static_cast<double>(portfolio::kUnitsPerDegree);
  for (const portfolio::PlannedCell& p : plan) {
    if (p.band != level.band) continue;
    const double s = p.south * unit, w = p.west * unit, n = p.north * unit, e = p.east * unit;
    for (const GeoPoint g : {GeoPoint{s, w}, GeoPoint{n, e}, GeoPoint{(s + n) / 2, (w + e) / 2}}) {
      const ChartPoint at = geoToChart(g);
      tried.push_back({at, cellsAdmitted(cells, viewAt(at, level.scale))});
    }
  }
  std::stable_sort(tried.begin(), tried.end(), [](const Tried& a, const Tried& b) { return a.count > b.count; });
  std::vector<ChartPoint> out;
  for (size_t i = 0; i < tried.size() && out.size() < kPositionsPerScale; ++i) {
    const ChartPoint at = tried[i].at;  // a corner shared by neighbours is tried more than once
    if (std::none_of(out.begin(), out.end(), [&](const ChartPoint& p) { return p.x == at.x && p.y == at.y; }))
      out.push_back(at);
  }
  return out;
}

void setUp(Fixture& f) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "portfolio_bench";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);  // never destroyed: not during static destruction
  f.engine = std::make_unique<ChartEngine>(kLibrary, MissingFileReport::Silent);
  if (!f.engine->hasLibrary()) {
    f.error = "no usable library in S57Lib (run scripts/setup.sh)";
    return;
  }
  f.engine->registerChartFont();

  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("chart-portfolio-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const portfolio::PortfolioResult written = portfolio::writePortfolio(kCells, folder.string());
  const std::vector<portfolio::PlannedCell> plan = portfolio::planPortfolio(kCells);
  if (!written.ok) {
    f.error = "could not write the portfolio: " + written.failedPath;
  } else {
    // Bands mixed, so that every hundred cells holds a like share of each.
    ChartView loading;
    const size_t before = mallinfo2().uordblks;
    const double rssBefore = residentMB();
    for (int i = 0; i < kCells && f.error.empty(); ++i) {
      const portfolio::PlannedCell& cell = plan[static_cast<size_t>(i) * 389 % kCells];
      if (f.engine->loadCell((folder / (cell.name + ".000")).string(), &loading) != ReaderResult::Ok)
        f.error = "loadCell failed for " + cell.name;
      const int loaded = i + 1;
      if (loaded == 100 || loaded == 500 || loaded == 1000)
        f.memory.push_back({loaded, static_cast<double>(mallinfo2().uordblks - before) / 1e6, residentMB() - rssBefore});
    }
  }
  std::filesystem::remove_all(folder);
  if (!f.error.empty()) return;
  const CellSnapshot cells = f.engine->cells().snapshot();
  for (size_t l = 0; l < std::size(kLevels); ++l) f.positions[l] = densestPositions(*cells, plan, kLevels[l]);
}

Fixture& fixture() {
  static Fixture f;
  static const bool ready = (setUp(f), true);
  (void)ready;
  return f;
}

DisplaySettings passSettings(const PresentationLibrary& library) {
  DisplaySettings settings(library);
  settings.setContourSet(10);  // as the main window starts
  settings.setShowSoundings(1);
  return settings;
}

// range(0): the scale level; range(1): the position among the densest.
void DrawPass(benchmark::State& state) {
  Fixture& f = fixture();
  if (!f.error.empty()) {
    state.SkipWithError(f.error.c_str());
    return;
  }
  const Level& level = kLevels[state.range(0)];
  ChartView view = viewAt(f.positions[state.range(0)].at(static_cast<size_t>(state.range(1))), level.scale);
  const DisplaySettings settings = passSettings(f.engine->library());
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  const IndexedSnapshot cells = f.engine->cells().indexedSnapshot();
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
  const GeoPoint at = chartToGeo(view.centre);
  state.SetLabel(std::string(level.name) + " " + std::to_string(at.latitude) + "," + std::to_string(at.longitude));
  state.counters["cells_drawn"] = static_cast<double>(view.drawnCells.size());
  state.counters["cells_met"] = static_cast<double>(cellsAdmitted(cells->cells(), view).second);
}

void Pick(benchmark::State& state) {
  Fixture& f = fixture();
  if (!f.error.empty()) {
    state.SkipWithError(f.error.c_str());
    return;
  }
  const size_t harbour = std::size(kLevels) - 1;
  ChartView view = viewAt(f.positions[harbour].front(), kLevels[harbour].scale);
  const DisplaySettings settings = passSettings(f.engine->library());
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  {
    QPainter painter(&image);
    setupPainter(painter, image.width(), image.height(), view);
    view.draw(painter, *f.engine, settings, *f.engine->cells().indexedSnapshot());
  }
  size_t picked = 0;
  for (auto _ : state) {
    const std::vector<PickedObject> objects = view.pick(settings, kWidth / 2.0f, kHeight / 2.0f);
    picked = objects.size();
    benchmark::DoNotOptimize(objects.data());
  }
  state.counters["picked"] = static_cast<double>(picked);
}

// Loading happens once, in the fixture; this reports what it cost.
void Memory(benchmark::State& state) {
  Fixture& f = fixture();
  if (!f.error.empty()) {
    state.SkipWithError(f.error.c_str());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(f.memory.data());
  // What the levels of detail add when views have asked for every level of
  // every cell (they are made as views need them, most never are).
  const CellSnapshot cells = f.engine->cells().snapshot();
  const size_t before = mallinfo2().uordblks;
  for (const S57Cell* cell : *cells)
    for (int level = 1; level <= kDetailLevels && cell->detail; ++level) cell->detail->level(*cell, level);
  if (!cells->empty() && !f.memory.empty())
    state.counters["detail_levels_kB_per_cell"] =
        static_cast<double>(mallinfo2().uordblks - before) / 1000.0 / static_cast<double>(cells->size());
  for (const MemoryAt& m : f.memory) {
    const std::string n = std::to_string(m.cells);
    state.counters["heap_MB_" + n] = m.heapMB;
    state.counters["rss_MB_" + n] = m.rssMB;
    state.counters["heap_kB_per_cell_" + n] = m.heapMB * 1000.0 / m.cells;
  }
}

void drawPassArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"level", "position"});
  for (int l = 0; l < static_cast<int>(std::size(kLevels)); ++l)
    for (int p = 0; p < kPositionsPerScale; ++p) b->Args({l, p});
}

BENCHMARK(Memory)->Iterations(1);
BENCHMARK(DrawPass)->Apply(drawPassArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(Pick)->Unit(benchmark::kMicrosecond);

}  // namespace
