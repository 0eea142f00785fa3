// Reading US5WA22M.000 (2.1 MB) through the four reader steps, from memory
// and from the file, and checking its records against its DSSI counts. The figure to watch is bytes_per_second (goal: at
// least 200 MB/s, about 10 ms for the cell).
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "RecordCheck.h"
#include "S57CellReader.h"

namespace {

const std::string kCell = std::string(CHART_SHARED_ENC) + "/US5WA22M/US5WA22M.000";

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void ReadCellFromMemory(benchmark::State& state) {
  const std::string image = readWholeFile(kCell);
  if (image.empty()) {
    state.SkipWithError("US5WA22M.000 not found under CHART_SHARED_ENC");
    return;
  }
  for (auto _ : state) {
    S57CellReader reader;
    const ReaderResult code = reader.readCellBytes(image);
    benchmark::DoNotOptimize(code);
    if (code != ReaderResult::Ok) state.SkipWithError("read failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * image.size()));
}
BENCHMARK(ReadCellFromMemory)->Unit(benchmark::kMillisecond);

void ReadCellFromFile(benchmark::State& state) {
  const size_t size = readWholeFile(kCell).size();
  if (size == 0) {
    state.SkipWithError("US5WA22M.000 not found under CHART_SHARED_ENC");
    return;
  }
  for (auto _ : state) {
    S57CellReader reader;
    const ReaderResult code = reader.readCell(kCell);
    benchmark::DoNotOptimize(code);
    if (code != ReaderResult::Ok) state.SkipWithError("read failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}
BENCHMARK(ReadCellFromFile)->Unit(benchmark::kMillisecond);

// The check of the records read against the counts DSSI declares, which
// loadCell runs on every base cell: a small share of the read.
void CheckRecordsOfCell(benchmark::State& state) {
  S57CellReader reader;
  if (reader.readCell(kCell) != ReaderResult::Ok) {
    state.SkipWithError("US5WA22M.000 not found under CHART_SHARED_ENC");
    return;
  }
  for (auto _ : state) {
    const std::vector<LoadWarning> findings = checkCellRecords("US5WA22M.000", reader);
    benchmark::DoNotOptimize(findings.size());
    if (!findings.empty()) state.SkipWithError("the cell's records disagree with its DSSI");
  }
  state.counters["records"] = static_cast<double>(reader.features.size() + reader.vectors.size());
}
BENCHMARK(CheckRecordsOfCell)->Unit(benchmark::kMicrosecond);

}  // namespace
