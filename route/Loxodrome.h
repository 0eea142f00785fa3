#pragma once
// Rhumb lines (loxodromes) on an ellipsoid of revolution: the line of one
// constant course, straight on a Mercator chart. Its length follows from the
// meridian arc and the isometric latitude, both exact, so a rhumb line is
// measured to well under a millimetre; along a parallel (course 90 or 270)
// it is the parallel's arc.
#include "Ellipsoid.h"
#include "MercatorProjection.h"

struct RhumbSolution {
  double metres = 0;
  double course = 0;  // true course, degrees in [0, 360)
};

// The rhumb line from `from` to `to` the short way in longitude (across the
// 180th meridian where that is shorter). To or from a pole it is the
// meridian. Equal positions give 0 m and course 0.
RhumbSolution solveRhumb(GeoPoint from, GeoPoint to, const Ellipsoid& ellipsoid = Ellipsoid::wgs84());

// A rhumb line from a start along a course, to be walked. The ellipsoid
// must outlive the line.
class RhumbLine {
public:
  RhumbLine(GeoPoint start, double courseDegrees, const Ellipsoid& ellipsoid = Ellipsoid::wgs84());
  // The position at a distance from the start (negative goes back). A rhumb
  // line that is not a meridian winds about a pole without reaching it;
  // distances beyond its length to the pole give the pole.
  GeoPoint at(double metres) const;

private:
  const Ellipsoid* ellipsoid_;
  GeoPoint start_;
  double sinCourse_, cosCourse_;
  double startLatitude_, startArc_, startPsi_;
};
