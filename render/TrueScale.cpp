#include "TrueScale.h"

#include <cmath>
#include <limits>

namespace {
constexpr double kMillimetresPerMetre = 1000.0;

double pixelMillimetresOf(const ViewGeometry& view) {
  const double mm = view.pixelMillimetres;
  return mm > 0 && std::isfinite(mm) ? mm : kDefaultPixelMillimetres;
}

// Ground metres spanned by one logical unit per unit of view scale, at chart y.
double groundMetresPerScaleUnit(double centreY) {
  const double latitude = chartToGeo(ChartPoint{0, centreY}).latitude;
  return groundMetresPerProjectionMetre(latitude) / mercator::kChartUnitsPerMetre;
}

// The true scale before rounding.
double exactTrueScale(float scale, double centreY, double pixelMillimetres) {
  const double groundPerPixel = LOGICAL_UNITS_PER_PIXEL * static_cast<double>(scale) * groundMetresPerScaleUnit(centreY);
  return groundPerPixel * kMillimetresPerMetre / pixelMillimetres;
}
}  // namespace

double trueScale(const ViewGeometry& view) {
  return std::round(exactTrueScale(view.scale, view.centre.y, pixelMillimetresOf(view)));
}

double viewScaleForTrueScale(double denominator, double centreY, double pixelMillimetres) {
  if (!(denominator > 0) || !std::isfinite(denominator)) return 0;
  if (!(pixelMillimetres > 0) || !std::isfinite(pixelMillimetres)) return 0;
  const double perUnit = groundMetresPerScaleUnit(centreY);
  if (!(perUnit > 0) || !std::isfinite(perUnit)) return 0;
  const double groundPerPixel = denominator * pixelMillimetres / kMillimetresPerMetre;
  const double scale = groundPerPixel / (LOGICAL_UNITS_PER_PIXEL * perUnit);
  return std::isfinite(scale) ? scale : 0;
}

bool setTrueScale(ViewGeometry& view, double denominator) {
  const double pixel = pixelMillimetresOf(view);
  const double scale = viewScaleForTrueScale(denominator, view.centre.y, pixel);
  float stored = static_cast<float>(scale);
  if (!(stored > 0) || !std::isfinite(stored)) return false;
  // Of the single-precision view scales next to it, the one whose true scale
  // comes nearest the denominator: at large scales one step of a float
  // moves the true scale by more than one.
  const double wanted = std::round(denominator);
  float best = stored;
  double bestMiss = std::fabs(exactTrueScale(stored, view.centre.y, pixel) - wanted);
  for (const float direction : {0.0f, std::numeric_limits<float>::infinity()}) {
    float candidate = stored;
    for (int step = 0; step < 2; ++step) {
      candidate = std::nextafter(candidate, direction);
      const double miss = std::fabs(exactTrueScale(candidate, view.centre.y, pixel) - wanted);
      if (candidate > 0 && std::isfinite(candidate) && miss < bestMiss) best = candidate, bestMiss = miss;
    }
  }
  view.scale = best;
  return true;
}

double pixelMillimetresFromDotsPerInch(double dotsPerInch) {
  constexpr double kMillimetresPerInch = 25.4;
  if (!(dotsPerInch >= 20 && dotsPerInch <= 2000)) return kDefaultPixelMillimetres;
  return kMillimetresPerInch / dotsPerInch;
}
