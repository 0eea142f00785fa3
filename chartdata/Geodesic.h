#pragma once
// Geodesics on an ellipsoid of revolution (WGS84 unless another is given):
// the inverse problem (the distance and courses between two positions) and
// the direct problem (the position at a distance along a course). Both are
// solved on the auxiliary sphere, with the distance and longitude integrals
// evaluated as short Fourier series, so they are exact to well under a
// millimetre at any distance: across the 180th meridian, through the poles
// and between nearly antipodal positions.
#include "Ellipsoid.h"
#include "MercatorProjection.h"

constexpr double kMetresPerNauticalMile = 1852.0;

// sin and cos of an angle in degrees, exact at multiples of 90 (so that
// courses of 90 and 270 run exactly east and west).
void sinCosDegrees(double degrees, double& s, double& c);

struct GeodesicSolution {
  double metres = 0;
  double initialCourse = 0;  // true course at the start, degrees in [0, 360)
  double finalCourse = 0;    // true course on arrival at the end (the forward course there)
};

// The shortest geodesic from `from` to `to`. Latitudes outside -90..90 are
// clamped; longitudes may be of any copy of the world. Equal positions give
// 0 m and courses 0; at a pole the course is measured from the meridian of
// the position's longitude.
GeodesicSolution solveGeodesic(GeoPoint from, GeoPoint to, const Ellipsoid& ellipsoid = Ellipsoid::wgs84());

struct RangeBearing {
  double metres = 0;
  double bearing = 0;  // true initial bearing at the first position, degrees in [0, 360)
};

// The window's range and bearing: the geodesic from `from` to `to` on WGS84.
RangeBearing rangeAndBearing(GeoPoint from, GeoPoint to);

// One geodesic from a start position along a start course, to be walked:
// the position and course at any distance from the start (negative
// distances go backwards; beyond half the circumference the line goes on
// around the ellipsoid). The ellipsoid must outlive the line.
class GeodesicLine {
public:
  GeodesicLine(GeoPoint start, double courseDegrees, const Ellipsoid& ellipsoid = Ellipsoid::wgs84());

  struct Point {
    GeoPoint position;
    double course = 0;  // forward course there, degrees in [0, 360)
  };
  Point at(double metres) const;

private:
  const Ellipsoid* ellipsoid_;
  double startLongitude_;
  double sinAlpha0_, cosAlpha0_;  // the course where the line crosses the equator
  double sigma1_;                 // arc on the auxiliary sphere from that crossing to the start
  double sinSigma1_, cosSigma1_;
  double distance1_;              // distance integral at the start, over b
  double longitude1_;             // longitude integral at the start
  SineSquaredIntegral distance_, longitude_;
};
