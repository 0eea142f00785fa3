// enctool demo --out DIR: writes the synthetic demo cell CN5DEMO1.000 into
// DIR (created when missing) and prints its path.
//
// enctool demo --portfolio N --out DIR: writes a synthetic portfolio of N
// cells in usage bands 2 to 5 into DIR and prints one JSON line:
//   {"cells":N,"bands":{"2":..,"3":..,"4":..,"5":..},"out":DIR,"ms":..}
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "DemoCell.h"
#include "Json.h"
#include "Portfolio.h"
#include "PortfolioPlan.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: enctool demo --out DIR\n"
                       "       enctool demo --portfolio N --out DIR   (N from 1 to %d)\n",
               portfolio::kMaximumCells);
  return 2;
}

int writePortfolio(int count, const std::string& out) {
  const auto start = std::chrono::steady_clock::now();
  const portfolio::PortfolioResult result = portfolio::writePortfolio(count, out);
  if (!result.ok) {
    std::fprintf(stderr, "enctool demo: cannot write %s\n", result.failedPath.c_str());
    return 1;
  }
  JsonLine bands;
  for (int band = portfolio::kFirstBand; band <= portfolio::kLastBand; ++band)
    bands.add(std::to_string(band), result.cellsPerBand[static_cast<size_t>(band - portfolio::kFirstBand)]);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const std::string line =
      JsonLine().add("cells", result.cells).addRaw("bands", bands.str()).add("out", out).add("ms", ms).str();
  std::printf("%s\n", line.c_str());
  return 0;
}

}  // namespace

int runDemoCommand(int argc, char** argv) {
  std::string out;
  int portfolioCells = 0;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
    } else if (std::strcmp(argv[i], "--portfolio") == 0 && i + 1 < argc) {
      const char* value = argv[++i];
      char* end = nullptr;
      const long n = std::strtol(value, &end, 10);
      if (end == value || *end != '\0' || n < 1 || n > portfolio::kMaximumCells) {
        std::fprintf(stderr, "enctool demo: --portfolio needs a cell count from 1 to %d, got '%s'\n",
                     portfolio::kMaximumCells, value);
        return usage();
      }
      portfolioCells = static_cast<int>(n);
    } else {
      std::fprintf(stderr, "enctool demo: unexpected argument '%s'\n", argv[i]);
      return usage();
    }
  }
  if (out.empty()) return usage();
  std::error_code error;
  std::filesystem::create_directories(out, error);
  if (portfolioCells > 0) return writePortfolio(portfolioCells, out);
  const std::string path = demo::writeDemoCell(out);
  if (path.empty()) {
    std::fprintf(stderr, "enctool demo: cannot write %s/%s\n", out.c_str(), demo::kCellName);
    return 1;
  }
  std::printf("%s\n", path.c_str());
  return 0;
}
