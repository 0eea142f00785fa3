// Loading the full library built from the cached chartsymbols.xml and its
// raster sheet (target: at most 50 ms), and building it (target: at most 2 s
// for enctool mklib). Both need build/sources/ from scripts/build-library.sh.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "LibraryConverter.h"
#include "PresentationLibrary.h"

namespace {
// The cached sources of this build tree, or else of build/.
std::string cached(const std::string& name) {
  const std::string own = std::string(CHART_BINARY_DIR) + "/sources/" + name;
  return std::filesystem::exists(own) ? own : std::string(CHART_SOURCE_DIR) + "/build/sources/" + name;
}

LibrarySources sources() {
  LibrarySources s;
  s.xml = cached("chartsymbols.xml");
  s.raster = cached("rastersymbols-day.png");
  s.objectClasses = "/usr/share/gdal/s57objectclasses.csv";
  s.attributes = "/usr/share/gdal/s57attributes.csv";
  return s;
}

// A temporary folder for the benchmark's library, removed at exit.
const std::string& scratch() {
  static const std::string dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "preslib-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return std::string();
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(scratch(), ec);
    });
    return pattern;
  }();
  return dir;
}

void BM_ConvertLibrary(benchmark::State& state) {
  const LibrarySources s = sources();
  for (auto _ : state) {
    ConversionReport report;
    std::string error;
    if (!convertLibrary(s, scratch() + "/S57Lib", report, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
  }
}
BENCHMARK(BM_ConvertLibrary)->Unit(benchmark::kMillisecond);

void BM_LoadPresentationLibrary(benchmark::State& state) {
  ConversionReport report;
  std::string error;
  if (!convertLibrary(sources(), scratch() + "/S57Lib", report, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (auto _ : state) {
    PresentationLibrary library;
    const LibraryResult result = loadPresentationLibrary(library, scratch() + "/S57Lib");
    if (result != LibraryResult::Ok) {
      state.SkipWithError("the library did not load");
      return;
    }
    benchmark::DoNotOptimize(library.symbols.size());
  }
}
BENCHMARK(BM_LoadPresentationLibrary)->Unit(benchmark::kMillisecond);
}  // namespace
