#pragma once
// Where a chart view must look to draw a tile. The chart's own projection
// is an ellipsoidal Mercator true at 30 degrees, the tile grid a spherical
// one; across one tile the two differ by scales that depend on latitude
// alone, so a tile is drawn by a view centred on the tile's centre at the
// view scale of the tile's ground resolution there:
//
//   a tile pixel at latitude phi spans t = 2 pi / (256 * 2^z) radians of
//   longitude, on the ellipsoid N(phi) cos(phi) t metres east-west and
//   M(phi) cos(phi) t metres north-south; the tile's ground resolution is
//   the geometric mean of the two at its centre. In chart units (the chart
//   projection's scale at phi) that is
//     R30 * 100000 * t * sqrt((1 - e^2) / (1 - e^2 sin^2 phi))
//   chart units per pixel, R30 the radius of the parallel 30, and the view
//   scale is that divided by 23 logical units per pixel.
//
// The grid's pixels are not quite square on the ellipsoid (0.67% apart at
// the equator, 0.31% at 47 degrees); with the mean, a tile's edge is at most
// 0.43 pixels (0.2 at 47 degrees) from where the grid puts it.
#include "MercatorProjection.h"
#include "WebMercatorTiles.h"

namespace tiles {

struct TileViewPlacement {
  GeoPoint centre;         // the tile's centre, degrees
  ChartPoint chartCentre;  // the same in chart units
  double scale = 0;        // chart units per logical unit
};

TileViewPlacement tileViewPlacement(const TileId& tile);

// The view scale of a tile pixel at a latitude and zoom (the rule above).
double tileViewScale(double latitude, int z);

}  // namespace tiles
