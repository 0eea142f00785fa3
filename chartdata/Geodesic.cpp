#include "Geodesic.h"

#include <cmath>

#include "MercatorProjection.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kA = 6378137.0;                 // WGS84 semi-major axis, metres
constexpr double kF = 1.0 / 298.257223563;       // flattening
constexpr double kB = kA * (1.0 - kF);           // semi-minor axis
constexpr double kMeanRadius = 6371008.7714;     // (2a + b) / 3
constexpr double kRadians = kPi / 180.0;

double normalisedBearing(double radians) {
  double degrees = std::fmod(radians / kRadians, 360.0);
  if (degrees < 0) degrees += 360.0;
  if (degrees >= 360.0) degrees -= 360.0;
  return degrees;
}

RangeBearing greatCircle(GeoPoint from, GeoPoint to) {
  const double p1 = from.latitude * kRadians, p2 = to.latitude * kRadians;
  const double dl = (to.longitude - from.longitude) * kRadians;
  const double y = std::sin(dl) * std::cos(p2);
  const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
  const double central = std::atan2(std::hypot(y, x), std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(dl));
  return {kMeanRadius * central, normalisedBearing(std::atan2(y, x))};
}
}  // namespace

RangeBearing rangeAndBearing(GeoPoint from, GeoPoint to) {
  // The difference of longitude the short way, across 180 degrees if need be.
  const double L = normalizedLongitude(to.longitude - from.longitude) * kRadians;
  const double U1 = std::atan((1 - kF) * std::tan(from.latitude * kRadians));
  const double U2 = std::atan((1 - kF) * std::tan(to.latitude * kRadians));
  const double sinU1 = std::sin(U1), cosU1 = std::cos(U1);
  const double sinU2 = std::sin(U2), cosU2 = std::cos(U2);

  double lambda = L, sinSigma = 0, cosSigma = 0, sigma = 0, cosSqAlpha = 0, cos2SigmaM = 0;
  double sinLambda = 0, cosLambda = 0;
  for (int i = 0; i < 200; ++i) {
    sinLambda = std::sin(lambda), cosLambda = std::cos(lambda);
    const double a = cosU2 * sinLambda;
    const double b = cosU1 * sinU2 - sinU1 * cosU2 * cosLambda;
    sinSigma = std::sqrt(a * a + b * b);
    if (sinSigma == 0) return {};  // the same position
    cosSigma = sinU1 * sinU2 + cosU1 * cosU2 * cosLambda;
    sigma = std::atan2(sinSigma, cosSigma);
    const double sinAlpha = cosU1 * cosU2 * sinLambda / sinSigma;
    cosSqAlpha = 1 - sinAlpha * sinAlpha;
    cos2SigmaM = cosSqAlpha != 0 ? cosSigma - 2 * sinU1 * sinU2 / cosSqAlpha : 0;  // 0 on the equator
    const double C = kF / 16 * cosSqAlpha * (4 + kF * (4 - 3 * cosSqAlpha));
    const double previous = lambda;
    lambda = L + (1 - C) * kF * sinAlpha *
                     (sigma + C * sinSigma * (cos2SigmaM + C * cosSigma * (-1 + 2 * cos2SigmaM * cos2SigmaM)));
    if (std::fabs(lambda - previous) < 1e-12) {
      const double uSq = cosSqAlpha * (kA * kA - kB * kB) / (kB * kB);
      const double A = 1 + uSq / 16384 * (4096 + uSq * (-768 + uSq * (320 - 175 * uSq)));
      const double B = uSq / 1024 * (256 + uSq * (-128 + uSq * (74 - 47 * uSq)));
      const double deltaSigma =
          B * sinSigma *
          (cos2SigmaM + B / 4 * (cosSigma * (-1 + 2 * cos2SigmaM * cos2SigmaM) -
                                 B / 6 * cos2SigmaM * (-3 + 4 * sinSigma * sinSigma) *
                                     (-3 + 4 * cos2SigmaM * cos2SigmaM)));
      const double metres = kB * A * (sigma - deltaSigma);
      const double bearing = std::atan2(cosU2 * sinLambda, cosU1 * sinU2 - sinU1 * cosU2 * cosLambda);
      return {metres, normalisedBearing(bearing)};
    }
    if (!std::isfinite(lambda)) break;
  }
  return greatCircle(from, to);
}
