#include "WebMercatorTiles.h"

#include <algorithm>
#include <cmath>

namespace tiles {

namespace {
constexpr double kPi = 3.14159265358979323846;

double worldPixels(int z) { return std::ldexp(static_cast<double>(kTileSize), z); }
}  // namespace

int tmsRow(const TileId& tile) { return (1 << tile.z) - 1 - tile.y; }

double pixelX(double longitude, int z) { return (longitude + 180.0) / 360.0 * worldPixels(z); }

double pixelY(double latitude, int z) {
  const double phi = std::clamp(latitude, -kMaximumLatitude, kMaximumLatitude) * kPi / 180.0;
  return (1.0 - std::log(std::tan(phi) + 1.0 / std::cos(phi)) / kPi) / 2.0 * worldPixels(z);
}

double longitudeAtPixel(double x, int z) { return x / worldPixels(z) * 360.0 - 180.0; }

double latitudeAtPixel(double y, int z) {
  const double n = kPi * (1.0 - 2.0 * y / worldPixels(z));
  return std::atan(std::sinh(n)) * 180.0 / kPi;
}

TileRange tilesMeeting(const GeoBox& box, int z, double marginPixels) {
  const double last = static_cast<double>((1 << z) - 1);
  // A box ending exactly on a tile edge stops in the tile before it.
  auto first = [&](double pixel) { return std::clamp(std::floor(pixel / kTileSize), 0.0, last); };
  auto final = [&](double pixel) { return std::clamp(std::ceil(pixel / kTileSize) - 1, 0.0, last); };
  const double west = pixelX(box.west, z) - marginPixels, east = pixelX(box.east, z) + marginPixels;
  const double north = pixelY(box.north, z) - marginPixels, south = pixelY(box.south, z) + marginPixels;
  TileRange r;
  if (!(east > west) || !(south > north) || east <= 0 || west >= worldPixels(z) || south <= 0 ||
      north >= worldPixels(z))
    return r;
  r.x0 = static_cast<int>(first(west));
  r.x1 = static_cast<int>(final(east));
  r.y0 = static_cast<int>(first(north));
  r.y1 = static_cast<int>(final(south));
  return r;
}

TileRange intersect(const TileRange& a, const TileRange& b) {
  if (a.empty() || b.empty()) return TileRange();
  TileRange r;
  r.x0 = std::max(a.x0, b.x0);
  r.x1 = std::min(a.x1, b.x1);
  r.y0 = std::max(a.y0, b.y0);
  r.y1 = std::min(a.y1, b.y1);
  return r.empty() ? TileRange() : r;
}

}  // namespace tiles
