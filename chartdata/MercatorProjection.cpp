#include "MercatorProjection.h"

#include <algorithm>
#include <cmath>

using namespace mercator;

double parallelRadius() {
  const double phi = kStandardParallel * kPi / 180.0;
  const double s = std::sin(phi);
  return kSemiMajorAxis * std::cos(phi) / std::sqrt(1.0 - kEccentricitySquared * s * s);
}

double groundMetresPerProjectionMetre(double latitudeDegrees) {
  const double phi = latitudeDegrees * kPi / 180.0;
  const double s = std::sin(phi);
  const double primeVertical = kSemiMajorAxis / std::sqrt(1.0 - kEccentricitySquared * s * s);
  return std::max(0.0, primeVertical * std::cos(phi)) / kRadius;
}

ChartPoint projectRadians(double latitudeRadians, double longitudeRadians, double radius) {
  const double s = kEccentricity * std::sin(latitudeRadians);
  const double y = std::log(std::tan(latitudeRadians / 2.0 + kQuarterPi)) -
                   kHalfEccentricity * std::log((1.0 + s) / (1.0 - s));
  return {longitudeRadians * radius * kChartUnitsPerMetre, y * radius * kChartUnitsPerMetre};
}

ChartPoint geoToChart(GeoPoint position) {
  return projectRadians(position.latitude * kPi / 180.0, position.longitude * kPi / 180.0, kRadius);
}

double normalizedLongitude(double degrees) {
  if (degrees >= -180.0 && degrees <= 180.0) return degrees;
  if (!std::isfinite(degrees)) return degrees;
  double d = std::fmod(degrees, 360.0);
  if (d > 180.0) d -= 360.0;
  else if (d < -180.0) d += 360.0;
  return d;
}

GeoPoint chartToGeo(ChartPoint point) {
  GeoPoint result;
  result.longitude = normalizedLongitude(point.x / kChartUnitsPerMetre / kRadius * 180.0 / kPi);
  const double t = point.y / kChartUnitsPerMetre;
  double phi = 0.0;
  for (int i = 0; i < 4; ++i) {
    const double s = kEccentricity * std::sin(phi);
    phi = 2.0 * std::atan(std::exp(kHalfEccentricity * std::log((1.0 + s) / (1.0 - s)) + t / kRadius)) -
          kHalfPi;
  }
  result.latitude = phi * 180.0 / kPi;
  return result;
}
