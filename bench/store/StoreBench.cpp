// The chart store's figures: importing the IHO's base set "2.1.1 Power Up"
// into a fresh store; a week's exchange set of updates for 300 cells onto
// a store holding the 1,000-cell synthetic portfolio; and reading that
// store's index, which a start does before it shows the window (so it must
// take a few milliseconds). ImportEncryptedSet5f imports the IHO's
// encrypted test 5f (seven cells, eleven files, each authenticated and
// decrypted) into a store holding its certificate and permits.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "ChartStore.h"
#include "Portfolio.h"
#include "PortfolioUpdates.h"

namespace {

namespace fs = std::filesystem;

const std::string kPowerUp = CHART_SHARED_ENC "/../iho/s64/2.1.1 Power Up";
const std::string k5f = CHART_SHARED_ENC "/../iho/s63/5 Authentication_Part2/Test 5f";

fs::path benchFolder(const std::string& what) {
  return fs::temp_directory_path() / ("store_bench_" + what + "_" + std::to_string(::getpid()));
}

// A store of the 1,000-cell portfolio and an update set for 300 of its
// cells, made once.
struct PortfolioStore {
  fs::path cells = benchFolder("cells"), store = benchFolder("store"), updates = benchFolder("updates");
  bool ready = false;

  PortfolioStore() {
    fs::remove_all(cells);
    fs::remove_all(store);
    fs::remove_all(updates);
    fs::create_directories(cells);
    if (!portfolio::writePortfolio(1000, cells.string()).ok) return;
    std::vector<std::string> bases;
    for (const auto& entry : fs::directory_iterator(cells)) bases.push_back(entry.path().string());
    std::sort(bases.begin(), bases.end());
    // Every third cell's update, as a week brings them to a part of the portfolio.
    std::vector<std::string> updated;
    for (size_t i = 0; i < bases.size() && updated.size() < 300; i += 3) updated.push_back(bases[i]);
    ChartStore chartStore(store.string());
    ready = chartStore.import({cells.string()}).written &&
            writePortfolioUpdates(updated, 1, updates.string());
  }
  ~PortfolioStore() {
    fs::remove_all(cells);
    fs::remove_all(store);
    fs::remove_all(updates);
  }
};

PortfolioStore& portfolioStore() {
  static PortfolioStore once;
  return once;
}

void ImportPowerUp(benchmark::State& state) {
  if (!fs::is_directory(kPowerUp)) {
    state.SkipWithError("the IHO's test data are absent");
    return;
  }
  const fs::path folder = benchFolder("powerup");
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(folder);
    state.ResumeTiming();
    ChartStore store(folder.string());
    const ImportReport report = store.import({kPowerUp});
    if (!report.written || report.cells.size() != 6) state.SkipWithError("the set was not imported whole");
  }
  fs::remove_all(folder);
}
BENCHMARK(ImportPowerUp)->Unit(benchmark::kMillisecond);

void ImportEncryptedSet5f(benchmark::State& state) {
  if (!fs::is_directory(k5f)) {
    state.SkipWithError("the IHO's encrypted test data are absent");
    return;
  }
  DataClient client;
  client.clock = DataClientClock::fixedAt(CalendarDay{2013, 6, 1});
  const fs::path keys = benchFolder("keys"), folder = benchFolder("5f");
  fs::remove_all(keys);
  {
    ChartStore store(keys.string());
    store.setDataClient(client);
    if (!store.installKey(k5f + "/IHO.CRT", KeyRole::Scheme).installed ||
        store.installPermits(k5f + "/PERMIT.TXT").anyRefused()) {
      state.SkipWithError("the certificate or the permits of 5f were refused");
      return;
    }
  }
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(folder);
    fs::copy(keys, folder, fs::copy_options::recursive);
    state.ResumeTiming();
    ChartStore store(folder.string());
    store.setDataClient(client);
    const ImportReport report = store.import({k5f});
    if (!report.written || report.anyRefused() || report.cells.size() != 7)
      state.SkipWithError("the set was not imported whole");
  }
  fs::remove_all(folder);
  fs::remove_all(keys);
}
BENCHMARK(ImportEncryptedSet5f)->Unit(benchmark::kMillisecond);

void ImportUpdatesForThreeHundredCells(benchmark::State& state) {
  PortfolioStore& p = portfolioStore();
  if (!p.ready) {
    state.SkipWithError("the portfolio store could not be made");
    return;
  }
  const fs::path work = benchFolder("work");
  for (auto _ : state) {
    state.PauseTiming();
    // The store as before the week's updates: its files never change in
    // place, so links to them make a true copy.
    fs::remove_all(work);
    fs::copy(p.store, work, fs::copy_options::recursive | fs::copy_options::create_hard_links);
    state.ResumeTiming();
    ChartStore store(work.string());
    const ImportReport report = store.import({p.updates.string()});
    if (!report.written || report.anyRefused() || report.cells.size() != 300)
      state.SkipWithError("the updates were not taken");
  }
  fs::remove_all(work);
}
BENCHMARK(ImportUpdatesForThreeHundredCells)->Unit(benchmark::kMillisecond)->Iterations(5);

void ReadIndexOfThousandCells(benchmark::State& state) {
  PortfolioStore& p = portfolioStore();
  if (!p.ready) {
    state.SkipWithError("the portfolio store could not be made");
    return;
  }
  for (auto _ : state) {
    ChartStore store(p.store.string());
    std::string error;
    if (!store.load(error) || store.index().cells.size() != 1000) state.SkipWithError("the index was not read");
    benchmark::DoNotOptimize(store.index().cells.data());
  }
  state.counters["indexBytes"] = static_cast<double>(fs::file_size(p.store / "index"));
}
BENCHMARK(ReadIndexOfThousandCells)->Unit(benchmark::kMillisecond);

}  // namespace
