#include "SyntheticSea.h"

#include <cmath>
#include <cstddef>

#include "PortfolioPlan.h"

namespace portfolio {

namespace {
constexpr double kTwoPi = 6.283185307179586;

// Distance of each contour from the coast, km (contourDepths() order).
// Neighbours differ by a factor of at least 1.4, more than the +-12% the
// contours swing by, so contours never cross.
constexpr double kContourKilometres[] = {0.4, 1.2, 3, 7, 12, 25, 60, 120, 250, 450, 800, 1200, 1700, 2400};

double wave(double latitude, double wavelength, double phase) {
  return std::sin(kTwoPi * latitude / wavelength + phase);
}
}  // namespace

double kilometresToLongitude(double kilometres, double latitude) {
  return kilometres / (111.32 * std::cos(latitude * kTwoPi / 360.0));
}

double kilometresToLatitude(double kilometres) { return kilometres / 110.95; }

double coastLongitude(double latitude) {
  // Bays and headlands at four sizes, so cells of every band see detail.
  // The coast stays within 0.016 to 0.094 degrees of the portfolio's western
  // edge, inside the westernmost column of harbour cells: no cell of any
  // band is all land.
  const double west = static_cast<double>(kPortfolioWest) / kUnitsPerDegree;
  return west + 0.055 + 0.02 * wave(latitude, 3.3, 0.0) + 0.01 * wave(latitude, 0.9, 1.3) +
         0.006 * wave(latitude, 0.23, 0.4) + 0.003 * wave(latitude, 0.047, 2.1);
}

const std::vector<double>& contourDepths() {
  static const std::vector<double> depths = {2, 5, 10, 20, 30, 50, 100, 200, 500, 1000, 2000, 3000, 4000, 5000};
  return depths;
}

double contourLongitude(double depth, double latitude) {
  const std::vector<double>& depths = contourDepths();
  size_t i = 0;
  while (i + 1 < depths.size() && depths[i] < depth) ++i;
  const double swing = 1.0 + 0.12 * wave(latitude, 1.1 + 0.37 * static_cast<double>(i), 0.7 * static_cast<double>(i));
  return coastLongitude(latitude) + kilometresToLongitude(kContourKilometres[i] * swing, latitude);
}

std::vector<double> bandContours(int band) {
  const double shallowest = band <= 2 ? 10 : band == 3 ? 5 : 2;
  std::vector<double> out;
  for (double d : contourDepths())
    if (d >= shallowest && !(band <= 3 && d == 30)) out.push_back(d);
  return out;
}

}  // namespace portfolio
