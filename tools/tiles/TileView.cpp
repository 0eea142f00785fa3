#include "TileView.h"

#include <cmath>

#include "ViewGeometry.h"

namespace tiles {

double tileViewScale(double latitude, int z) {
  using namespace mercator;
  // Radians of longitude per pixel, with the chart's own value of pi.
  const double perPixel = 2.0 * kPi / std::ldexp(static_cast<double>(kTileSize), z);
  const double s = std::sin(latitude * kPi / 180.0);
  const double chartUnitsPerPixel =
      kRadius * kChartUnitsPerMetre * perPixel * std::sqrt((1.0 - kEccentricitySquared) / (1.0 - kEccentricitySquared * s * s));
  return chartUnitsPerPixel / LOGICAL_UNITS_PER_PIXEL;
}

TileViewPlacement tileViewPlacement(const TileId& tile) {
  TileViewPlacement p;
  const double half = kTileSize / 2.0;
  p.centre.latitude = latitudeAtPixel(tile.y * static_cast<double>(kTileSize) + half, tile.z);
  p.centre.longitude = longitudeAtPixel(tile.x * static_cast<double>(kTileSize) + half, tile.z);
  p.chartCentre = geoToChart(p.centre);
  p.scale = tileViewScale(p.centre.latitude, tile.z);
  return p;
}

}  // namespace tiles
