// enctool info [--library DIR] [CELL...]
//
// One line of JSON per cell read through the S-57 cell reader:
//   {"file":..,"code":..,"dsnm":..,"cscl":..,"comf":..,"somf":..,
//    "features":..,"vectors":..,"ms":..}
// A cell that cannot be read still gets its line (with its result code) and a
// readable reason on stderr; the next cell is read all the same. The exit
// status is 1 when any cell or the library failed, 2 on a usage error.
// With --library DIR the library summary comes first, as one line, and each
// cell is also loaded into the chart model: its line gains the model fields
// of ModelInfo.h, and with --features one line per feature follows it.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Json.h"
#include "LibraryInfo.h"
#include "LibraryResult.h"
#include "ModelInfo.h"
#include "S57CellReader.h"

namespace {

struct InfoOptions {
  std::string libraryDir;  // empty: no library line, no model
  bool features = false;   // one line per feature (needs --library)
  std::vector<std::string> cells;
};

void printInfoUsage() {
  std::fprintf(stderr, "usage: enctool info [--library DIR [--features]] [CELL...]\n");
}

// Returns false (after a message) on a usage error.
bool parseInfoOptions(int argc, char** argv, InfoOptions& options) {
  bool optionsEnded = false;
  for (int i = 0; i < argc; ++i) {
    const char* arg = argv[i];
    if (!optionsEnded && std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (!optionsEnded && std::strcmp(arg, "--library") == 0) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "enctool info: --library needs a directory\n");
        return false;
      }
      options.libraryDir = argv[++i];
    } else if (!optionsEnded && std::strcmp(arg, "--features") == 0) {
      options.features = true;
    } else if (!optionsEnded && arg[0] == '-' && arg[1] == '-') {
      std::fprintf(stderr, "enctool info: unknown option '%s'\n", arg);
      return false;
    } else {
      options.cells.emplace_back(arg);
    }
  }
  if (options.features && options.libraryDir.empty()) {
    std::fprintf(stderr, "enctool info: --features needs --library\n");
    return false;
  }
  if (options.libraryDir.empty() && options.cells.empty()) {
    std::fprintf(stderr, "enctool info: no cell given\n");
    return false;
  }
  return true;
}

// Reads one cell and prints its line; returns the reader's result code, or
// with the model the result code of loading it.
int printCellInfo(const std::string& path, const InfoOptions& options) {
  S57CellReader reader;
  const auto start = std::chrono::steady_clock::now();
  const int code = reader.readCell(path);
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

  JsonLine line;
  line.add("file", path)
      .add("code", code)
      .add("dsnm", reader.dataSetIdentification.DSNM)
      .add("cscl", reader.dataSetParameters.CSCL)
      .add("comf", reader.dataSetParameters.COMF)
      .add("somf", reader.dataSetParameters.SOMF)
      .add("features", static_cast<long long>(reader.features.size()))
      .add("vectors", static_cast<long long>(reader.vectors.size()))
      .add("ms", ms);
  reader.clear();  // the model reads the file again
  int loadCode = 0;
  const S57Cell* cell = options.libraryDir.empty() ? nullptr : addModelInfo(line, path, &loadCode);
  std::printf("%s\n", line.str().c_str());
  if (code != 0)
    std::fprintf(stderr, "enctool info: %s: code %d: %s\n", path.c_str(), code,
                 readerResultText(code));
  else if (loadCode != 0)
    std::fprintf(stderr, "enctool info: %s: load code %d: %s\n", path.c_str(), loadCode,
                 readerResultText(loadCode));
  if (cell && options.features) printFeatureLines(*cell);
  return code != 0 ? code : loadCode;
}

}  // namespace

int runInfoCommand(int argc, char** argv) {
  InfoOptions options;
  if (!parseInfoOptions(argc, argv, options)) {
    printInfoUsage();
    return 2;
  }
  bool failed = false;
  if (!options.libraryDir.empty()) {
    int code = 0;
    const std::string line = libraryInfoJson(options.libraryDir, &code);
    std::printf("%s\n", line.c_str());
    if (code != 0) {
      std::fprintf(stderr, "enctool info: library %s: code %d: %s\n", options.libraryDir.c_str(), code,
                   libraryResultText(code).c_str());
      failed = true;
    }
    prepareModelLibrary(options.libraryDir);
  }
  for (const std::string& cell : options.cells) {
    if (printCellInfo(cell, options) != 0) failed = true;
  }
  std::fflush(stdout);
  return failed ? 1 : 0;
}
