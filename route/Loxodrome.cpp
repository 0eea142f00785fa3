#include "Loxodrome.h"

#include <algorithm>
#include <cmath>

#include "Geodesic.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kRadians = kPi / 180.0;

double clampLatitude(double latitude) { return std::max(-90.0, std::min(90.0, latitude)); }

// dM / d(psi) between two latitudes: the mean parallel radius that turns a
// difference of longitude into the east-west part of the rhumb line. Below
// about 60 m of latitude the quotient of differences loses digits, and the
// radius of the middle parallel is exact to 1e-11 there.
double meanParallelRadius(const Ellipsoid& e, double phi1, double phi2, double arc1, double arc2) {
  if (std::fabs(phi2 - phi1) < 1e-5) return e.parallelRadius((phi1 + phi2) / 2);
  return (arc2 - arc1) / (e.isometricLatitude(phi2) - e.isometricLatitude(phi1));
}
}  // namespace

RhumbSolution solveRhumb(GeoPoint from, GeoPoint to, const Ellipsoid& e) {
  const double lat1 = clampLatitude(from.latitude), lat2 = clampLatitude(to.latitude);
  const double dLon = std::remainder(to.longitude - from.longitude, 360.0) * kRadians;
  if (!std::isfinite(lat1) || !std::isfinite(lat2) || !std::isfinite(dLon)) return {NAN, NAN};
  const double phi1 = lat1 * kRadians, phi2 = lat2 * kRadians;
  const double arc1 = e.meridianArc(phi1), arc2 = e.meridianArc(phi2);
  if (std::fabs(lat1) == 90 || std::fabs(lat2) == 90 || dLon == 0) {
    // A meridian: the only rhumb line that reaches a pole.
    return {std::fabs(arc2 - arc1), lat2 < lat1 ? 180.0 : 0.0};
  }
  const double dPsi = e.isometricLatitude(phi2) - e.isometricLatitude(phi1);
  const double q = meanParallelRadius(e, phi1, phi2, arc1, arc2);
  double course = std::atan2(dLon, dPsi) / kRadians;
  if (course < 0) course += 360.0;
  return {std::hypot(arc2 - arc1, q * dLon), course + 0.0};
}

RhumbLine::RhumbLine(GeoPoint start, double courseDegrees, const Ellipsoid& e)
    : ellipsoid_(&e), start_(start) {
  sinCosDegrees(courseDegrees, sinCourse_, cosCourse_);
  startLatitude_ = clampLatitude(start.latitude) * kRadians;
  startArc_ = e.meridianArc(startLatitude_);
  startPsi_ = e.isometricLatitude(startLatitude_);
}

GeoPoint RhumbLine::at(double metres) const {
  const Ellipsoid& e = *ellipsoid_;
  const double arc = startArc_ + metres * cosCourse_;
  const double quarter = e.quarterMeridian();
  if (std::fabs(arc) >= quarter && cosCourse_ != 0) return {arc > 0 ? 90.0 : -90.0, start_.longitude};
  const double phi = e.latitudeAtMeridianArc(arc);
  const double q = meanParallelRadius(e, startLatitude_, phi, startArc_, arc);
  const double dLon = q > 0 ? metres * sinCourse_ / q : 0;
  return {phi / kRadians, normalizedLongitude(start_.longitude + dLon / kRadians)};
}
