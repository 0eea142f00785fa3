// GB100004.000 of the IHO's encrypted test 4b (316 KB encrypted, 837 KB as
// a cell), its permit for the scheme's test manufacturer:
//   ReadPlainCell         the cell reader on the decrypted bytes in memory,
//                         what reading the cell costs had it come unencrypted
//   DecryptCell           Blowfish over the file and unzipping, in memory
//   DecryptAndReadCell    both, as a data client loads an encrypted cell
//   AuthenticateCell      the signature file checked (two DSA verifications
//                         and SHA-1 of the encrypted file)
//   LoadPlainCell         read and built into the chart model with the
//                         generated library (assembly, look-ups, finishing),
//                         what loading it costs had it come unencrypted
//   DecryptAndLoadCell    the same after decrypting and unpacking
//   LoadFromStore         the cell with its update from a chart store
//                         holding test 4b, as the window loads it: opened
//                         (its stored copy checked and decrypted), then
//                         loadCell with the update applied
//   LoadPlainFromStore    the same store's cell had it been kept unencrypted
// The goal: DecryptAndLoadCell at most 25 % over LoadPlainCell, and
// LoadFromStore over LoadPlainFromStore.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Authentication.h"
#include "CellBuilder.h"
#include "CellList.h"
#include "CellLoad.h"
#include "ChartStore.h"
#include "CellDecryption.h"
#include "ManufacturerIdentity.h"
#include "PermitFile.h"
#include "PresentationLibrary.h"
#include "S57CellReader.h"
#include "SchemeCertificate.h"

namespace {

const std::string kTest = std::string(CHART_SHARED_ENC) + "/../iho/s63/4 Authentication_Part1/Test 4b";
const std::string kFolder = kTest + "/V01X01/ENC_ROOT/GB/GB100004/7/0";

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

struct Fixture {
  std::string encrypted;
  std::string signature;
  std::vector<CellKeys> keys;
  SecureBytes plain;
  SchemeKey scheme;
  bool ok = false;

  Fixture() {
    encrypted = slurp(kFolder + "/GB100004.000");
    signature = slurp(kFolder + "/GBI00004.000");
    const SecureString key6 = hardwareKey6(testManufacturer());
    for (const PermitRecord& record : readPermitFile(kTest + "/PERMIT.TXT").records) {
      CellKeys k;
      if (record.permit.cell == "GB100004" && decryptCellKeys(record.permit, key6, k)) keys.push_back(k);
    }
    const SchemeKeyResult read = readSchemeKeyFile(kTest + "/IHO.CRT", CalendarDay{2013, 6, 1});
    scheme = read.key;
    ok = !encrypted.empty() && !keys.empty() && read.code == SseCode::None &&
         decryptEncFile(encrypted, keys, plain).code == SseCode::None;
  }
};

const Fixture& fixture() {
  static const Fixture f;
  return f;
}

std::string_view view(const SecureBytes& bytes) {
  return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void ReadPlainCell(benchmark::State& state) {
  const Fixture& f = fixture();
  if (!f.ok) return state.SkipWithError("test 4b of ../shared/iho/s63 not found or not decrypted");
  for (auto _ : state) {
    S57CellReader reader;
    benchmark::DoNotOptimize(reader.readCellBytes(view(f.plain)));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.plain.size()));
}
BENCHMARK(ReadPlainCell)->Unit(benchmark::kMillisecond);

void DecryptCell(benchmark::State& state) {
  const Fixture& f = fixture();
  if (!f.ok) return state.SkipWithError("test 4b of ../shared/iho/s63 not found or not decrypted");
  for (auto _ : state) {
    SecureBytes plain;
    benchmark::DoNotOptimize(decryptEncFile(f.encrypted, f.keys, plain).code);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.encrypted.size()));
}
BENCHMARK(DecryptCell)->Unit(benchmark::kMillisecond);

void DecryptAndReadCell(benchmark::State& state) {
  const Fixture& f = fixture();
  if (!f.ok) return state.SkipWithError("test 4b of ../shared/iho/s63 not found or not decrypted");
  for (auto _ : state) {
    SecureBytes plain;
    decryptEncFile(f.encrypted, f.keys, plain);
    S57CellReader reader;
    benchmark::DoNotOptimize(reader.readCellBytes(view(plain)));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.plain.size()));
}
BENCHMARK(DecryptAndReadCell)->Unit(benchmark::kMillisecond);

void AuthenticateCell(benchmark::State& state) {
  const Fixture& f = fixture();
  if (!f.ok) return state.SkipWithError("test 4b of ../shared/iho/s63 not found or not decrypted");
  for (auto _ : state) benchmark::DoNotOptimize(authenticateEncFile(f.signature, f.encrypted, f.scheme, {}).authentic);
}
BENCHMARK(AuthenticateCell)->Unit(benchmark::kMillisecond);

// The library the cells are built with, read once; null (the benchmark
// skipped) when it does not read.
const PresentationLibrary* library(benchmark::State& state) {
  static PresentationLibrary library;
  static const LibraryResult code = loadPresentationLibrary(library, std::string(CHART_SOURCE_DIR) + "/S57Lib");
  if (code != LibraryResult::Ok) state.SkipWithError("no usable library in S57Lib (run scripts/setup.sh)");
  return code == LibraryResult::Ok ? &library : nullptr;
}

void load(std::string_view bytes, const PresentationLibrary& library, benchmark::State& state) {
  S57CellReader reader;
  if (reader.readCellBytes(bytes) != ReaderResult::Ok) state.SkipWithError("the cell does not read");
  std::unique_ptr<S57Cell> cell = buildCell(reader, library);
  if (!cell) return state.SkipWithError("the cell does not build");
  finishCell(*cell, nullptr);
  benchmark::DoNotOptimize(cell.get());
}

void LoadPlainCell(benchmark::State& state) {
  const Fixture& f = fixture();
  if (!f.ok) return state.SkipWithError("test 4b of ../shared/iho/s63 not found or not decrypted");
  const PresentationLibrary* built = library(state);
  if (!built) return;
  for (auto _ : state) load(view(f.plain), *built, state);
}
BENCHMARK(LoadPlainCell)->Unit(benchmark::kMillisecond);

void DecryptAndLoadCell(benchmark::State& state) {
  const Fixture& f = fixture();
  if (!f.ok) return state.SkipWithError("test 4b of ../shared/iho/s63 not found or not decrypted");
  const PresentationLibrary* built = library(state);
  if (!built) return;
  for (auto _ : state) {
    SecureBytes plain;
    decryptEncFile(f.encrypted, f.keys, plain);
    load(view(plain), *built, state);
  }
}
BENCHMARK(DecryptAndLoadCell)->Unit(benchmark::kMillisecond);

// Test 4b imported into a store; beside it a store of the same cell and
// update decrypted, as if they had come unencrypted.
struct StoreFixture {
  std::filesystem::path encrypted, plain;
  DataClient client;
  bool ok = false;

  StoreFixture() {
    namespace fs = std::filesystem;
    const std::string tag = std::to_string(::getpid());
    encrypted = fs::temp_directory_path() / ("protection_bench_store_" + tag);
    plain = fs::temp_directory_path() / ("protection_bench_plain_" + tag);
    const fs::path set = fs::temp_directory_path() / ("protection_bench_set_" + tag);
    for (const fs::path& p : {encrypted, plain, set}) fs::remove_all(p);
    client.clock = DataClientClock::fixedAt(CalendarDay{2013, 6, 1});
    ChartStore store(encrypted.string());
    store.setDataClient(client);
    ok = store.installKey(kTest + "/IHO.CRT", KeyRole::Scheme).installed &&
         !store.installPermits(kTest + "/PERMIT.TXT").anyRefused() && !store.import({kTest}).anyRefused();
    std::string error;
    ok = ok && store.load(error);
    const StoredCell* cell = ok ? store.index().find("GB100004") : nullptr;
    if (!cell) return;
    fs::create_directories(set);
    const OpenedCell opened = store.openCell(*cell);
    std::vector<std::string> paths{opened.source.path};
    for (const UpdateFileName& u : opened.source.updates) paths.push_back(u.path);
    for (const std::string& path : paths) {
      SecureBytes bytes;
      ok = ok && opened.fileBytes(path, bytes) == ReaderResult::Ok;
      std::ofstream(set / fs::path(path).filename(), std::ios::binary) << bytesView(bytes);
    }
    ChartStore plainStore(plain.string());
    ok = ok && !plainStore.import({set.string()}).anyRefused();
    fs::remove_all(set);
  }
  ~StoreFixture() {
    std::filesystem::remove_all(encrypted);
    std::filesystem::remove_all(plain);
  }
};

const StoreFixture& storeFixture() {
  static const StoreFixture f;
  return f;
}

void loadFromStore(const std::filesystem::path& folder, const DataClient& client, benchmark::State& state) {
  const StoreFixture& f = storeFixture();
  if (!f.ok) return state.SkipWithError("test 4b of ../shared/iho/s63 not imported");
  const PresentationLibrary* built = library(state);
  if (!built) return;
  ChartStore store(folder.string());
  store.setDataClient(client);
  std::string error;
  if (!store.load(error)) return state.SkipWithError("the store does not read");
  const StoredCell* cell = store.index().find("GB100004");
  for (auto _ : state) {
    const OpenedCell opened = store.openCell(*cell);
    CellLoadOptions options;
    options.updateFiles = &opened.source.updates;
    options.fileBytes = opened.fileBytes;
    CellList list;
    if (!loadCell(opened.source.path, *built, list, nullptr, options).ok()) state.SkipWithError("the cell does not load");
  }
}

void LoadFromStore(benchmark::State& state) { loadFromStore(storeFixture().encrypted, storeFixture().client, state); }
BENCHMARK(LoadFromStore)->Unit(benchmark::kMillisecond);

void LoadPlainFromStore(benchmark::State& state) { loadFromStore(storeFixture().plain, storeFixture().client, state); }
BENCHMARK(LoadPlainFromStore)->Unit(benchmark::kMillisecond);

}  // namespace
