#pragma once
// Range and bearing between two positions on the WGS84 ellipsoid.
#include "MercatorProjection.h"

struct RangeBearing {
  double metres = 0;
  double bearing = 0;  // true initial bearing at the first position, degrees in [0, 360)
};

constexpr double kMetresPerNauticalMile = 1852.0;

// The geodesic from `from` to `to` on the WGS84 ellipsoid (Vincenty's
// inverse method, converged to 1e-12 radians). For nearly antipodal
// positions, where that method does not converge, the great circle on a
// sphere of the ellipsoid's mean radius is taken instead (within 0.5 %).
// Equal positions give 0 m and bearing 0.
RangeBearing rangeAndBearing(GeoPoint from, GeoPoint to);
