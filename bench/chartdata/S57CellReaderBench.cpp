// Reading US5WA22M.000 (2.1 MB) through the four reader steps, from memory
// and from the file, and checking its records against its DSSI counts. The
// figure to watch is bytes_per_second of ReadCellFromMemory (goal: at least
// 500 MB/s, about 4 ms for the cell). ReadLargeCellFromMemory reads the
// large synthetic cell (LargeCell.h, about 4.5 MB of small records) the
// same way: it should read about as fast, as the reader's cost follows the
// bytes.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "Iso8211Writer.h"
#include "LargeCell.h"
#include "RecordCheck.h"
#include "S57CellReader.h"
#include "S57Writer.h"

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

void ReadLargeCellFromMemory(benchmark::State& state) {
  const std::string image = largeCellImage();
  for (auto _ : state) {
    S57CellReader reader;
    const ReaderResult code = reader.readCellBytes(image);
    benchmark::DoNotOptimize(code);
    if (code != ReaderResult::Ok) state.SkipWithError("read failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * image.size()));
  state.counters["MB"] = static_cast<double>(image.size()) / 1e6;
}
BENCHMARK(ReadLargeCellFromMemory)->Unit(benchmark::kMillisecond);

// A hostile shape: 50 edge records of about 90 KB, each repeating SG2D 4,800
// times with one coordinate in each. Lists that grew by each field's
// entries alone would copy every coordinate again for each field (a
// square of the record's size); this should read at a speed like the cells'.
void ReadRecordsOfRepeatedFields(benchmark::State& state) {
  s57write::S57Writer writer;
  writer.addDataSet();
  const std::string one = s57write::sg2dField({{470000000, -1220000000}});
  for (int r = 1; r <= 50; ++r) {
    s57write::Vector edge;
    edge.rcnm = s57write::kEdge;
    edge.rcid = r;
    iso8211::Record record;
    record.add("0001", s57write::recordIdField(r + 2)).add("VRID", s57write::vridField(edge));
    for (int i = 0; i < 4800; ++i) record.add("SG2D", one);
    writer.addRecord(record);
  }
  const std::string image = writer.image();
  for (auto _ : state) {
    S57CellReader reader;
    benchmark::DoNotOptimize(reader.readCellBytes(image));
    if (reader.vectors.size() != 50 || reader.vectors.back()->coordinates2D.size() != 4800)
      state.SkipWithError("the edges did not read whole");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * image.size()));
}
BENCHMARK(ReadRecordsOfRepeatedFields)->Unit(benchmark::kMillisecond);

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
