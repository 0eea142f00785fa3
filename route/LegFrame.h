#pragma once
// The local projection a leg's corridor is measured in: a conformal plane in
// which the leg runs along +x and lies (nearly) straight, and in which the
// scale changes so slowly across the corridor that a distance across it,
// scaled by the mean of the scales at its two ends, is exact to well under
// a metre for corridors a few nautical miles wide.
//
// - A rhumb line is straight on the ellipsoid's Mercator projection, so a
//   rhumb leg (one that is not a meridian) is measured on Mercator turned by
//   the leg's course. Mercator's scale changes with latitude (by about 1 part
//   in 10,000 per kilometre at latitude 60), which the mean of the two
//   scales absorbs across the corridor.
// - A geodesic is nearly a great circle of the conformal sphere, so a great
//   circle leg (and a rhumb leg along a meridian) is measured on the
//   Mercator projection of that sphere about the great circle the leg
//   follows at its middle (an oblique Mercator). Its scale is true along
//   that circle and grows only with the square of the distance from it;
//   the leg itself strays from the circle by at most a few kilometres,
//   which the corridor follows point by point. It has no trouble at the
//   poles, and longitudes are counted from the leg's middle so the 180th
//   meridian is no seam.
#include "Ellipsoid.h"
#include "MercatorProjection.h"

class LegFrame {
public:
  // Mercator, longitudes counted from `centralLongitude`, turned so that the
  // rhumb line of `course` (degrees) runs along +x.
  static LegFrame mercator(double centralLongitude, double course);
  // The oblique Mercator whose central great circle passes `centre` along
  // `course`, which then runs along +x.
  static LegFrame oblique(GeoPoint centre, double course);

  // Frame coordinates in metres of the ellipsoid's equatorial radius: x
  // along the leg, y across it, positive to starboard; and the metres on the
  // ellipsoid that one frame unit is at that point.
  struct Point {
    double x = 0, y = 0;
    double metresPerUnit = 1;
  };
  Point project(GeoPoint position) const;
  // As project, with the position taken in the copy of the world nearest to
  // `reference` (the other end of an edge), so an edge stays one piece.
  Point projectNear(GeoPoint position, const Point& reference) const;
  GeoPoint unproject(double x, double y) const;
  // Whether the chart's straight lines (rhumb lines) are straight here too.
  bool straightRhumbs() const { return kind_ == Kind::Mercator; }

private:
  enum class Kind { Mercator, Oblique };
  LegFrame() = default;
  Point projectWith(GeoPoint position, double relativeLongitude) const;

  const Ellipsoid* ellipsoid_ = &Ellipsoid::wgs84();
  Kind kind_ = Kind::Mercator;
  double centralLongitude_ = 0;  // degrees
  double sinCourse_ = 0, cosCourse_ = 1;
  // Oblique: the frame's axes on the unit conformal sphere, in coordinates
  // whose x axis points to the centre's meridian: e1 to the centre, e2 along
  // the course, e3 = e1 x e2 (to port).
  double e1_[3] = {1, 0, 0}, e2_[3] = {0, 1, 0}, e3_[3] = {0, 0, 1};
};
