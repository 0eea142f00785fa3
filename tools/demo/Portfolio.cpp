#include "Portfolio.h"

#include "PortfolioCell.h"
#include "PortfolioPlan.h"

namespace portfolio {

PortfolioResult writePortfolio(int count, const std::string& directory) {
  PortfolioResult result;
  for (const PlannedCell& cell : planPortfolio(count)) {
    const std::string path = directory + "/" + cell.name + ".000";
    if (!portfolioCell(cell).writeFile(path)) {
      result.failedPath = path;
      return result;
    }
    ++result.cellsPerBand[static_cast<size_t>(cell.band - kFirstBand)];
    ++result.cells;
  }
  result.ok = result.cells == count;
  return result;
}

}  // namespace portfolio
