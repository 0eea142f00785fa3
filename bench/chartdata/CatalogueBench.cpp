// A folder scan whose CATALOG.031 lists one cell of about 950 KB over and
// over, as a hostile or broken catalogue may: the scan must cost what the
// distinct files cost (one CRC-32 of the cell), not what the entries claim.
// The figure to watch is the time per scan at 60,000 entries against 1,000.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CellFolder.h"
#include "CatalogueWriter.h"
#include "S57Writer.h"

namespace {

namespace fs = std::filesystem;

// A cell of ten sounding nodes of 8,000 soundings each: 960 KB.
std::string largeCell() {
  s57write::S57Writer w;
  w.addDataSet();
  std::vector<s57write::Sounding> soundings(8000);
  for (size_t i = 0; i < soundings.size(); ++i)
    soundings[i] = {470000000 + static_cast<int32_t>(i), -1220000000 + static_cast<int32_t>(i), 100};
  for (int node = 1; node <= 10; ++node) w.addSoundingNode(node, soundings);
  s57write::Feature f;
  f.objl = 129;  // SOUNDG
  f.spatialPointers = {{s57write::kIsolatedNode, 1, 255, 255, 255}};
  w.addFeature(f);
  return w.image();
}

void ScanRepeatedCatalogue(benchmark::State& state) {
  const fs::path root = fs::temp_directory_path() / ("catalogue_bench_" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "ENC_ROOT");
  std::ofstream(root / "ENC_ROOT/LARGE.000", std::ios::binary) << largeCell();
  std::ofstream(root / "ENC_ROOT/CATALOG.031", std::ios::binary)
      << s57write::catalogueImage(std::vector<s57write::CatalogueFile>(static_cast<size_t>(state.range(0)),
                                                                       {"LARGE.000", "0BADC0DE"}));
  for (auto _ : state) {
    const CellFolder folder = scanCellFolder(root.string());
    benchmark::DoNotOptimize(folder.cells.size());
    if (folder.cells.size() != 1) state.SkipWithError("the cell was not found");
  }
  state.counters["entries"] = static_cast<double>(state.range(0));
  state.counters["cellBytes"] = static_cast<double>(fs::file_size(root / "ENC_ROOT/LARGE.000"));
  fs::remove_all(root);
}
BENCHMARK(ScanRepeatedCatalogue)->Arg(1000)->Arg(60000)->Unit(benchmark::kMillisecond);

}  // namespace
