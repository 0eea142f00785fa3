// The route check against the chart. Portfolio checks a route of 100 legs
// that zigzags across the synthetic portfolio of 1,000 cells (as enctool
// demo --portfolio writes it; goal: at most 1 s); US5WA22M checks a route of
// 10 legs that zigzags across that cell, its updates applied (goal: at most
// 50 ms). Both with the safety contour at 10 m and corridors of 0.1 NM. The
// cells are found through the index of the cell list and each feature's box,
// so the cost follows the corridors, not the cells loaded. Counters: the
// findings and the cells the corridors met.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "CellList.h"
#include "CellLoad.h"
#include "Portfolio.h"
#include "PortfolioPlan.h"
#include "PresentationLibrary.h"
#include "RouteCheck.h"
#include "ViewGeometry.h"

namespace {

const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";
const std::string kCell = CHART_SHARED_ENC "/US5WA22M/US5WA22M.000";

struct Loaded {
  CellList cells;
  std::string error;
};

// The library the cells are built with, read once; null (with the reason
// in `error`) when it does not read.
const PresentationLibrary* libraryReady(std::string& error) {
  static PresentationLibrary library;
  static const LibraryResult code = loadPresentationLibrary(library, kLibrary, MissingFileReport::Silent);
  if (code != LibraryResult::Ok) {
    error = "no usable library in S57Lib (run scripts/setup.sh)";
    return nullptr;
  }
  return &library;
}

// A route of `legs` legs zigzagging from west to east across the box
// (degrees), between a quarter and three quarters of its height.
Route zigzag(double south, double west, double north, double east, int legs) {
  Route route("zigzag");
  for (int i = 0; i <= legs; ++i) {
    const double lat = south + (north - south) * (i % 2 ? 0.75 : 0.25);
    const double lon = west + (east - west) * (0.02 + 0.96 * i / legs);
    route.appendWaypoint({{lat, lon}, "", {}});
  }
  return route;
}

Loaded& portfolio() {
  static Loaded l;
  static const bool ready = [] {
    const PresentationLibrary* library = libraryReady(l.error);
    if (!library) return false;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("route-check-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const portfolio::PortfolioResult written = portfolio::writePortfolio(1000, folder.string());
    if (!written.ok) l.error = "could not write the portfolio: " + written.failedPath;
    ViewGeometry view;
    for (const portfolio::PlannedCell& cell : portfolio::planPortfolio(1000))
      if (l.error.empty() && !loadCell((folder / (cell.name + ".000")).string(), *library, l.cells, &view).ok())
        l.error = "loadCell failed for " + cell.name;
    std::filesystem::remove_all(folder);
    return true;
  }();
  (void)ready;
  return l;
}

Loaded& harbour() {
  static Loaded l;
  static const bool ready = [] {
    const PresentationLibrary* library = libraryReady(l.error);
    if (!library) return false;
    ViewGeometry view;
    if (!std::filesystem::exists(kCell) || !loadCell(kCell, *library, l.cells, &view).ok())
      l.error = "cannot load " + kCell;
    return true;
  }();
  (void)ready;
  return l;
}

void run(benchmark::State& state, Loaded& loaded, const Route& route) {
  if (!loaded.error.empty()) {
    state.SkipWithError(loaded.error.c_str());
    return;
  }
  const IndexedSnapshot cells = loaded.cells.indexedSnapshot();
  RouteCheckSettings settings;
  std::size_t findings = 0;
  for (auto _ : state) {
    const RouteCheckResult result = checkRoute(route, *cells, settings);
    findings = result.findings.size();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["findings"] = static_cast<double>(findings);
  state.counters["cells_loaded"] = static_cast<double>(cells->cells().size());
}

void Portfolio(benchmark::State& state) {
  Loaded& loaded = portfolio();
  double south = 90, west = 180, north = -90, east = -180;
  for (const portfolio::PlannedCell& c : portfolio::planPortfolio(1000)) {
    const double unit = 1.0 / static_cast<double>(portfolio::kUnitsPerDegree);
    south = std::min(south, c.south * unit), north = std::max(north, c.north * unit);
    west = std::min(west, c.west * unit), east = std::max(east, c.east * unit);
  }
  run(state, loaded, zigzag(south, west, north, east, 100));
}
BENCHMARK(Portfolio)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void US5WA22M(benchmark::State& state) {
  Loaded& loaded = harbour();
  if (!loaded.error.empty()) {
    state.SkipWithError(loaded.error.c_str());
    return;
  }
  const ChartBox b = loaded.cells.snapshot()->front()->boundingBox;
  const GeoPoint sw = chartToGeo({b.minX, b.minY}), ne = chartToGeo({b.maxX, b.maxY});
  run(state, loaded, zigzag(sw.latitude, sw.longitude, ne.latitude, ne.longitude, 10));
}
BENCHMARK(US5WA22M)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
