#include "CoveredTexts.h"

#include <algorithm>

namespace {
// The coverage vertices the tests of one pass may visit.
constexpr long long kMostVertexVisits = 20000000;
}  // namespace

void hideCoveredTexts(TextPlacement& texts, const std::vector<DrawnCoverage>& coverage,
                      const std::vector<S57Cell*>& drawn, const std::vector<int>& drawnOrder,
                      std::vector<int>& order) {
  order.clear();
  int last = -1;
  for (const DrawnCoverage& c : coverage) {
    int place = -1;
    for (std::size_t i = 0; i < drawn.size() && i < drawnOrder.size(); ++i)
      if (drawn[i] == c.cell) place = drawnOrder[i];
    order.push_back(place);
    last = std::max(last, place);
  }
  long long budget = kMostVertexVisits;
  texts.hide([&](int cell, const ChartPoint& at) {
    if (cell >= last || budget < 0) return false;  // no coverage drawn after its cell
    for (std::size_t i = 0; i < coverage.size(); ++i)
      if (order[i] > cell && insideDrawnCoverage(coverage[i], at, budget)) return true;
    return false;
  });
}
