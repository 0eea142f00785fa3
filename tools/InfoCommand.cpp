// enctool info [--library DIR] [CELL...]
//
// One line of JSON per cell read through the S-57 cell reader:
//   {"file":..,"code":..,"dsnm":..,"cscl":..,"comf":..,"somf":..,
//    "features":..,"vectors":..,"ms":..}
// A cell that cannot be read still gets its line (with its result code) and a
// readable reason on stderr; the next cell is read all the same. The exit
// status is 1 when any cell or the library failed, 2 on a usage error.
// With --library DIR the library summary comes first, as one line.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Json.h"
#include "LibraryInfo.h"
#include "S57CellReader.h"

namespace {

struct InfoOptions {
  std::string libraryDir;  // empty: no library line
  std::vector<std::string> cells;
};

void printInfoUsage() {
  std::fprintf(stderr, "usage: enctool info [--library DIR] [CELL...]\n");
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
    } else if (!optionsEnded && arg[0] == '-' && arg[1] == '-') {
      std::fprintf(stderr, "enctool info: unknown option '%s'\n", arg);
      return false;
    } else {
      options.cells.emplace_back(arg);
    }
  }
  if (options.libraryDir.empty() && options.cells.empty()) {
    std::fprintf(stderr, "enctool info: no cell given\n");
    return false;
  }
  return true;
}

// Reads one cell and prints its line; returns the reader's result code.
int printCellInfo(const std::string& path) {
  S57CellReader reader;
  const auto start = std::chrono::steady_clock::now();
  const int code = reader.readCell(path);
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

  const std::string line = JsonLine()
                               .add("file", path)
                               .add("code", code)
                               .add("dsnm", reader.dataSetIdentification.DSNM)
                               .add("cscl", reader.dataSetParameters.CSCL)
                               .add("comf", reader.dataSetParameters.COMF)
                               .add("somf", reader.dataSetParameters.SOMF)
                               .add("features", static_cast<long long>(reader.features.size()))
                               .add("vectors", static_cast<long long>(reader.vectors.size()))
                               .add("ms", ms)
                               .str();
  std::printf("%s\n", line.c_str());
  if (code != 0)
    std::fprintf(stderr, "enctool info: %s: code %d: %s\n", path.c_str(), code,
                 readerResultText(code));
  return code;
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
      std::fprintf(stderr, "enctool info: library %s: code %d\n", options.libraryDir.c_str(), code);
      failed = true;
    }
  }
  for (const std::string& cell : options.cells) {
    if (printCellInfo(cell) != 0) failed = true;
  }
  std::fflush(stdout);
  return failed ? 1 : 0;
}
