#include "LegFrame.h"

#include <algorithm>
#include <cmath>

#include "Geodesic.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kRadians = kPi / 180.0;
// Mercator is taken no closer to a pole than this (about a centimetre):
// only a meridian reaches a pole, and meridians use the oblique frame.
constexpr double kMercatorLatitudeLimit = 90.0 - 1e-7;
}  // namespace

LegFrame LegFrame::mercator(double centralLongitude, double course) {
  LegFrame f;
  f.kind_ = Kind::Mercator;
  f.centralLongitude_ = centralLongitude;
  sinCosDegrees(course, f.sinCourse_, f.cosCourse_);
  return f;
}

LegFrame LegFrame::oblique(GeoPoint centre, double course) {
  LegFrame f;
  f.kind_ = Kind::Oblique;
  f.centralLongitude_ = centre.longitude;
  sinCosDegrees(course, f.sinCourse_, f.cosCourse_);
  // Conformal maps keep courses, so the course on the sphere is the course.
  const Ellipsoid::Conformal c = f.ellipsoid_->conformal(centre.latitude * kRadians);
  const double north[3] = {-c.sinChi, 0, c.cosChi}, east[3] = {0, 1, 0};
  f.e1_[0] = c.cosChi, f.e1_[1] = 0, f.e1_[2] = c.sinChi;
  for (int i = 0; i < 3; ++i) f.e2_[i] = f.cosCourse_ * north[i] + f.sinCourse_ * east[i];
  f.e3_[0] = f.e1_[1] * f.e2_[2] - f.e1_[2] * f.e2_[1];
  f.e3_[1] = f.e1_[2] * f.e2_[0] - f.e1_[0] * f.e2_[2];
  f.e3_[2] = f.e1_[0] * f.e2_[1] - f.e1_[1] * f.e2_[0];
  return f;
}

LegFrame::Point LegFrame::project(GeoPoint p) const {
  return projectWith(p, std::remainder(p.longitude - centralLongitude_, 360.0));
}

LegFrame::Point LegFrame::projectNear(GeoPoint p, const Point& reference) const {
  const double a = ellipsoid_->a();
  if (kind_ == Kind::Mercator) {
    const double referenceLongitude = (reference.x * sinCourse_ + reference.y * cosCourse_) / a / kRadians;
    const double relative = p.longitude - centralLongitude_;
    return projectWith(p, referenceLongitude + std::remainder(relative - referenceLongitude, 360.0));
  }
  Point q = project(p);
  const double period = 2 * kPi * a;
  q.x += period * std::round((reference.x - q.x) / period);
  return q;
}

LegFrame::Point LegFrame::projectWith(GeoPoint p, double relativeLongitude) const {
  const Ellipsoid& e = *ellipsoid_;
  const double a = e.a();
  Point out;
  if (kind_ == Kind::Mercator) {
    const double latitude = std::max(-kMercatorLatitudeLimit, std::min(kMercatorLatitudeLimit, p.latitude));
    const double phi = latitude * kRadians;
    const double east = a * relativeLongitude * kRadians, north = a * e.isometricLatitude(phi);
    out.x = east * sinCourse_ + north * cosCourse_;
    out.y = east * cosCourse_ - north * sinCourse_;
    out.metresPerUnit = e.parallelRadius(phi) / a;
    return out;
  }
  const Ellipsoid::Conformal c = e.conformal(std::max(-90.0, std::min(90.0, p.latitude)) * kRadians);
  double sl, cl;
  sinCosDegrees(relativeLongitude, sl, cl);
  const double u[3] = {c.cosChi * cl, c.cosChi * sl, c.sinChi};
  const double X = u[0] * e1_[0] + u[1] * e1_[1] + u[2] * e1_[2];
  const double Y = u[0] * e2_[0] + u[1] * e2_[1] + u[2] * e2_[2];
  const double Z = std::max(-1.0 + 1e-16, std::min(1.0 - 1e-16, u[0] * e3_[0] + u[1] * e3_[1] + u[2] * e3_[2]));
  out.x = a * std::atan2(Y, X);
  out.y = -a * std::atanh(Z);
  out.metresPerUnit = c.parallelRatio * std::sqrt(1 - Z * Z);
  return out;
}

GeoPoint LegFrame::unproject(double x, double y) const {
  const Ellipsoid& e = *ellipsoid_;
  const double a = e.a();
  if (kind_ == Kind::Mercator) {
    const double east = x * sinCourse_ + y * cosCourse_, north = x * cosCourse_ - y * sinCourse_;
    return {e.latitudeAtIsometric(north / a) / kRadians, normalizedLongitude(centralLongitude_ + east / a / kRadians)};
  }
  const double lambda = x / a, Z = -std::tanh(y / a), r = std::sqrt(std::max(0.0, 1 - Z * Z));
  double u[3];
  for (int i = 0; i < 3; ++i) u[i] = r * std::cos(lambda) * e1_[i] + r * std::sin(lambda) * e2_[i] + Z * e3_[i];
  const double psi = std::asinh(u[2] / std::hypot(u[0], u[1]));  // tan(chi) = sinh(psi)
  return {e.latitudeAtIsometric(psi) / kRadians,
          normalizedLongitude(centralLongitude_ + std::atan2(u[1], u[0]) / kRadians)};
}
