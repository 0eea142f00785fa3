#include "PortfolioPlan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "SyntheticSea.h"

namespace portfolio {

namespace {

// How many cells of band 2 there are, and how many cells of bands 2, 3 and 4
// are refined, for a portfolio of `count` cells.
struct Allocation {
  int generalCells = 0;
  std::array<int, 3> refined{};  // parents of band 2, 3, 4
};

Allocation allocate(int count) {
  Allocation a;
  // The band-2 count leaves a multiple of nine for the refinements.
  const int residue = count % 9 == 0 ? 9 : count % 9;
  const int target = std::max(1, static_cast<int>(std::lround(count * 0.04)));
  int general = residue + 9 * static_cast<int>(std::lround(std::max(0.0, (target - residue) / 9.0)));
  if (general > count) general = residue;
  a.generalCells = general;
  const int groups = (count - general) / 9;
  // A band can refine at most every cell of the band before it.
  auto room = [&](size_t i) { return (i == 0 ? general : 9 * a.refined[i - 1]) - a.refined[i]; };
  int left = groups;
  // One group per band first, then each band up to its share, then whatever
  // is left where there is room, the most detailed band first.
  for (size_t i = 0; i < 3 && left > 0; ++i)
    if (room(i) > 0) ++a.refined[i], --left;
  const double share[3] = {0.16, 0.36, 0.48};
  for (size_t i = 0; i < 3; ++i) {
    const int want = static_cast<int>(std::lround(groups * share[i])) - a.refined[i];
    const int add = std::min({want, room(i), left});
    if (add > 0) a.refined[i] += add, left -= add;
  }
  while (left > 0) {
    size_t i = 2;
    while (i > 0 && room(i) <= 0) --i;
    const int add = std::min(room(i), left);
    if (add <= 0) break;  // no room anywhere (cannot happen for the counts allowed)
    a.refined[i] += add, left -= add;
  }
  return a;
}

// Distance of a cell's middle from the coast, in units of longitude.
double coastDistance(const PlannedCell& c) {
  const double latitude = static_cast<double>(c.south + c.north) / 2 / kUnitsPerDegree;
  const double longitude = static_cast<double>(c.west + c.east) / 2 / kUnitsPerDegree;
  return std::fabs(longitude - coastLongitude(latitude));
}

void nameBand(std::vector<PlannedCell>& cells, int band) {
  std::sort(cells.begin(), cells.end(), [](const PlannedCell& a, const PlannedCell& b) {
    return a.south != b.south ? a.south < b.south : a.west < b.west;
  });
  int sequence = 0;
  for (PlannedCell& c : cells) {
    char name[16];
    std::snprintf(name, sizeof name, "XX%dP%04d", band, ++sequence);
    c.name = name;
    c.band = band;
  }
}

}  // namespace

const BandInfo& bandInfo(int band) {
  static const BandInfo bands[] = {
      {2, 540000, 27000000, 120},
      {3, 180000, 9000000, 100},
      {4, 60000, 3000000, 80},
      {5, 20000, 1000000, 80},
  };
  return bands[std::clamp(band, kFirstBand, kLastBand) - kFirstBand];
}

std::vector<PlannedCell> planPortfolio(int count) {
  if (count < 1 || count > kMaximumCells) return {};
  const Allocation allocation = allocate(count);

  // Band 2: a grid filled row by row from the south-west corner.
  const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(allocation.generalCells))));
  const int64_t side = bandInfo(2).cellSize;
  std::vector<PlannedCell> band;
  for (int i = 0; i < allocation.generalCells; ++i) {
    PlannedCell c;
    c.south = kPortfolioSouth + (i / columns) * side;
    c.west = kPortfolioWest + (i % columns) * side;
    c.north = c.south + side;
    c.east = c.west + side;
    band.push_back(c);
  }
  nameBand(band, 2);

  std::vector<PlannedCell> all = band;
  for (int next = 3; next <= kLastBand; ++next) {
    // The parents nearest the coast are refined; ties go to the south-west.
    std::stable_sort(band.begin(), band.end(),
                     [](const PlannedCell& a, const PlannedCell& b) { return coastDistance(a) < coastDistance(b); });
    const size_t parents = static_cast<size_t>(allocation.refined[static_cast<size_t>(next - 3)]);
    const int64_t childSide = bandInfo(next).cellSize;
    std::vector<PlannedCell> children;
    for (size_t p = 0; p < parents && p < band.size(); ++p) {
      for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
          PlannedCell c;
          c.south = band[p].south + row * childSide;
          c.west = band[p].west + column * childSide;
          c.north = c.south + childSide;
          c.east = c.west + childSide;
          children.push_back(c);
        }
      }
    }
    nameBand(children, next);
    all.insert(all.end(), children.begin(), children.end());
    band = std::move(children);
  }
  return all;
}

}  // namespace portfolio
