#include "Ellipsoid.h"

#include <cmath>

namespace {
constexpr double kHalfPi = 1.57079632679489661923;
}

Ellipsoid::Ellipsoid(double semiMajorAxis, double flattening)
    : a_(semiMajorAxis),
      f_(flattening),
      b_(semiMajorAxis * (1 - flattening)),
      e2_(flattening * (2 - flattening)),
      ep2_(e2_ / (1 - e2_)),
      e_(std::sqrt(e2_)) {
  // Along a meridian the geodesic's auxiliary angle is the reduced latitude
  // and ds = b sqrt(1 + e'^2 sin^2) d(beta).
  const double k2 = ep2_;
  meridian_ = SineSquaredIntegral::of([k2](double s2) { return std::sqrt(1 + k2 * s2); });
}

const Ellipsoid& Ellipsoid::wgs84() {
  static const Ellipsoid ellipsoid(6378137.0, 1.0 / 298.257223563);
  return ellipsoid;
}

double Ellipsoid::meridianArc(double latitude) const {
  const double beta = std::atan2((1 - f_) * std::sin(latitude), std::cos(latitude));
  return b_ * meridian_(beta);
}

double Ellipsoid::quarterMeridian() const { return b_ * meridian_(kHalfPi); }

double Ellipsoid::latitudeAtMeridianArc(double metres) const {
  const double quarter = quarterMeridian();
  if (metres >= quarter) return kHalfPi;
  if (metres <= -quarter) return -kHalfPi;
  // Newton on the reduced latitude: the integral's slope is the integrand.
  const double target = metres / b_;
  double beta = target / meridian_.mean();
  for (int i = 0; i < 8; ++i) {
    const double s = std::sin(beta);
    const double step = (meridian_(beta) - target) / std::sqrt(1 + ep2_ * s * s);
    beta -= step;
    if (std::fabs(step) < 1e-16) break;
  }
  return std::atan2(std::sin(beta), (1 - f_) * std::cos(beta));
}

double Ellipsoid::isometricLatitude(double latitude) const {
  const double s = std::sin(latitude);
  return std::asinh(std::tan(latitude)) - e_ * std::atanh(e_ * s);
}

double Ellipsoid::latitudeAtIsometric(double psi) const {
  if (std::isinf(psi)) return std::copysign(kHalfPi, psi);
  // Newton from the sphere's answer; d(psi)/d(phi) = (1 - e^2) / ((1 - e^2 sin^2) cos).
  double phi = std::atan(std::sinh(psi));
  for (int i = 0; i < 8; ++i) {
    const double s = std::sin(phi), c = std::cos(phi);
    if (c <= 0) break;
    const double step = (isometricLatitude(phi) - psi) * (1 - e2_ * s * s) * c / (1 - e2_);
    phi -= step;
    if (std::fabs(step) < 1e-15) break;
  }
  return std::fmax(-kHalfPi, std::fmin(kHalfPi, phi));
}

double Ellipsoid::parallelRadius(double latitude) const {
  const double s = std::sin(latitude);
  return a_ * std::cos(latitude) / std::sqrt(1 - e2_ * s * s);
}

Ellipsoid::Conformal Ellipsoid::conformal(double latitude) const {
  // With c = e atanh(e sin(phi)), psi = asinh(tan(phi)) - c, and
  // cos(phi) cosh(psi) = cosh c - sin(phi) sinh c, regular at the poles.
  const double s = std::sin(latitude), cphi = std::cos(latitude);
  const double c = e_ * std::atanh(e_ * s);
  const double ch = std::cosh(c), sh = std::sinh(c);
  const double r = ch - s * sh;
  Conformal result;
  result.sinChi = (s * ch - sh) / r;
  result.cosChi = cphi / r;
  result.parallelRatio = r / std::sqrt(1 - e2_ * s * s);
  return result;
}
