#pragma once
// The tile grid of web maps: spherical Web Mercator (EPSG:3857) cut into
// 256 x 256 pixel tiles, 2^z tiles a side at zoom z, numbered from the
// north-west corner (XYZ); MBTiles numbers rows from the south (TMS).
namespace tiles {

constexpr int kTileSize = 256;
constexpr int kMaximumZoom = 24;
// The grid reaches as far north and south as it reaches east and west.
constexpr double kMaximumLatitude = 85.0511287798066;

struct TileId {
  int z = 0, x = 0, y = 0;
};

// The row of a tile counted from the south, as MBTiles stores it.
int tmsRow(const TileId& tile);

// A box of positions, degrees.
struct GeoBox {
  double south = 0, west = 0, north = 0, east = 0;
};

// Tiles x0..x1 by y0..y1, all inclusive; empty when x1 < x0 or y1 < y0.
struct TileRange {
  int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
  bool empty() const { return x1 < x0 || y1 < y0; }
  long long count() const { return empty() ? 0 : static_cast<long long>(x1 - x0 + 1) * (y1 - y0 + 1); }
};

// Position to pixel of the whole grid at zoom z (0 at the west and the north
// edge); latitudes beyond the grid are clamped to it.
double pixelX(double longitude, int z);
double pixelY(double latitude, int z);
// And back.
double longitudeAtPixel(double x, int z);
double latitudeAtPixel(double y, int z);

// The tiles a box meets once widened by `marginPixels` on every side, within
// the grid. A box that only touches a tile's edge does not meet it.
TileRange tilesMeeting(const GeoBox& box, int z, double marginPixels = 0);

// The range common to both.
TileRange intersect(const TileRange& a, const TileRange& b);

}  // namespace tiles
