// Loading US5WA22M.000 (2.1 MB) into the chart model with the generated
// library: read, assemble, select look-ups, finish (goal: at most 40 ms),
// and the heap the loaded cell keeps (goal: at most 10 times the file size).
// LoadCell applies the cell's four update files as the display does; with
// them it may cost at most 1.1 times LoadCellBaseOnly, the base file alone.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>

#include "CellBuilder.h"
#include "CellList.h"
#include "CellLoad.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "S57CellReader.h"
#include "UpdateChain.h"

namespace {

const std::string kCell = std::string(CHART_SHARED_ENC) + "/US5WA22M/US5WA22M.000";
const std::string kLibrary = std::string(CHART_SOURCE_DIR) + "/S57Lib";

// Loads the library once; null (with the reason set on `state`) when the
// cell or the library is missing.
const PresentationLibrary* prepare(benchmark::State& state) {
  static PresentationLibrary library;
  static const int code = [] {
    if (!std::filesystem::exists(kCell)) return -1;
    return resultCode(loadPresentationLibrary(library, kLibrary));
  }();
  if (code == -1) state.SkipWithError("US5WA22M.000 not found under CHART_SHARED_ENC");
  else if (code != 0) state.SkipWithError("no usable library in S57Lib (run scripts/setup.sh)");
  return code == 0 ? &library : nullptr;
}

void loadCellBench(benchmark::State& state, bool applyUpdates) {
  const PresentationLibrary* library = prepare(state);
  if (!library) return;
  const double fileBytes = static_cast<double>(std::filesystem::file_size(kCell));
  double cellBytes = 0;
  CellLoadOptions options;
  options.applyUpdates = applyUpdates;
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<CellList>();
    ChartView view;
    const size_t before = mallinfo2().uordblks;
    state.ResumeTiming();
    CellLoadReport report;
    const CellLoadResult result = loadCell(kCell, *library, *list, &view, options, &report);
    state.PauseTiming();
    if (!result.ok()) state.SkipWithError("loadCell failed");
    if (applyUpdates && report.updates.applied.size() != 4) state.SkipWithError("the four updates did not apply");
    cellBytes = static_cast<double>(mallinfo2().uordblks - before);
    list.reset();
    state.ResumeTiming();
  }
  state.counters["cell_MB"] = cellBytes / 1e6;
  state.counters["cell_per_file"] = cellBytes / fileBytes;
}

void LoadCell(benchmark::State& state) { loadCellBench(state, true); }
BENCHMARK(LoadCell)->Unit(benchmark::kMillisecond);

void LoadCellBaseOnly(benchmark::State& state) { loadCellBench(state, false); }
BENCHMARK(LoadCellBaseOnly)->Unit(benchmark::kMillisecond);

// The four update files alone: found, read and applied to the base's records.
void ApplyUpdates(benchmark::State& state) {
  if (!prepare(state)) return;
  for (auto _ : state) {
    state.PauseTiming();
    S57CellReader reader;
    if (reader.readCell(kCell) != ReaderResult::Ok) state.SkipWithError("read failed");
    state.ResumeTiming();
    const UpdateChainResult result = applyUpdateChain(reader, findUpdateFiles(kCell));
    state.PauseTiming();
    if (result.applied.size() != 4) state.SkipWithError("the four updates did not apply");
    reader.clear();
    state.ResumeTiming();
  }
}
BENCHMARK(ApplyUpdates)->Unit(benchmark::kMillisecond);

// The part after the reader: assembly, look-up selection and finishing.
void BuildCell(benchmark::State& state) {
  const PresentationLibrary* library = prepare(state);
  if (!library) return;
  S57CellReader reader;
  if (reader.readCell(kCell) != ReaderResult::Ok) {
    state.SkipWithError("read failed");
    return;
  }
  for (auto _ : state) {
    auto cell = buildCell(reader, *library);
    benchmark::DoNotOptimize(cell.get());
    state.PauseTiming();
    cell.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BuildCell)->Unit(benchmark::kMillisecond);

}  // namespace
