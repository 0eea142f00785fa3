#pragma once
// A synthetic portfolio of cells in usage bands 2 to 5, written into a
// folder: the cells of planPortfolio() with the contents of portfolioCell().
// Synthetic: not for navigation.
#include <array>
#include <string>

namespace portfolio {

struct PortfolioResult {
  bool ok = false;
  std::string failedPath;           // the file that could not be written
  std::array<int, 4> cellsPerBand{};  // bands 2 to 5
  int cells = 0;
};

// Writes `count` cells as `directory`/NAME.000 (the folder must exist).
// Stops at the first file that cannot be written.
PortfolioResult writePortfolio(int count, const std::string& directory);

}  // namespace portfolio
