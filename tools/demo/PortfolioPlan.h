#pragma once
// The layout of a synthetic portfolio: which cells exist, their usage band,
// compilation scale, corners and names. Band-2 cells lie on a grid with the
// synthetic coast in its western column; a cell of band 2, 3 or 4 near the
// coast is refined into the 3 x 3 cells of the next band that cover it
// exactly, so cells of one band join edge to edge and every cell of a band
// above 2 lies inside one cell of the band below. Nothing here writes.
#include <cstdint>
#include <string>
#include <vector>

namespace portfolio {

constexpr int kFirstBand = 2, kLastBand = 5;
constexpr int kMaximumCells = 5000;

// Positions in units of 1e-7 degree, as the cells store them (COMF 1e7).
constexpr int64_t kUnitsPerDegree = 10000000;
// South-west corner of the portfolio: just east of the Kerguelen Islands,
// its synthetic coast beside their east coast and the open Indian Ocean
// beyond, so that every portfolio up to kMaximumCells lies in open water.
constexpr int64_t kPortfolioSouth = -50 * kUnitsPerDegree, kPortfolioWest = 705 * kUnitsPerDegree / 10;

struct BandInfo {
  int band;
  int compilationScale;
  int64_t cellSize;       // side of a cell, units
  int samplesPerCell;     // rows at which a cell samples the coast and contours
};
// Bands 2 (general) to 5 (harbour): each band's scale and cell side are a
// third of the one before, so every cell is about the same size on paper.
const BandInfo& bandInfo(int band);

struct PlannedCell {
  std::string name;  // e.g. XX3P0001, the third character the band
  int band = 0;
  int64_t south = 0, west = 0, north = 0, east = 0;  // units
};

// The cells of a portfolio of `count` cells (1 to kMaximumCells), band by
// band and within a band from south-west to north-east. About 4% of the cells
// are band 2; the rest come in groups of nine, about 16% of the groups
// refining band-2 cells, 36% band-3 cells and 48% band-4 cells, those
// nearest the coast first. Empty for a count out of range.
std::vector<PlannedCell> planPortfolio(int count);

}  // namespace portfolio
