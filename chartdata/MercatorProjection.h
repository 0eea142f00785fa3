#pragma once
// The chart's projection: an ellipsoidal Mercator plane true at latitude 30,
// in chart units of 1/100000 metre. Every constant uses pi truncated to
// 3.1415926 so that positions agree with the chart data built for it.

struct GeoPoint {
  double latitude = 0;   // degrees, north positive
  double longitude = 0;  // degrees, east positive
};

// x east, y north. Chart units on the projection plane, or painter logical
// units once converted for drawing.
struct ChartPoint {
  double x = 0;
  double y = 0;
};

namespace mercator {
constexpr double kPi = 3.1415926;
constexpr double kQuarterPi = 0.785398163375;
constexpr double kHalfPi = 1.5707963;
constexpr double kTwoPi = 6.2831852;
constexpr double kSemiMajorAxis = 6378137.0;      // metres
constexpr double kEccentricity = 0.08189;
constexpr double kEccentricitySquared = 0.0067059721;
constexpr double kHalfEccentricity = 0.040945;
constexpr double kStandardParallel = 30.0;         // degrees
constexpr double kRadius = 5528264.691622807;      // radius of the parallel 30, metres
constexpr double kChartUnitsPerMetre = 100000.0;
// 360 degrees of longitude in chart units. The chart is one continuous
// world: what lies at x lies again at x plus or minus this width.
constexpr double kWorldWidth = kTwoPi * kRadius * kChartUnitsPerMetre;
}  // namespace mercator

// Radius of the standard parallel on the ellipsoid, computed from the
// constants above (equals mercator::kRadius).
double parallelRadius();

// Forward projection of a position in radians with the given parallel radius.
ChartPoint projectRadians(double latitudeRadians, double longitudeRadians, double radius);

// Degrees to chart units. The longitude is not wrapped.
ChartPoint geoToChart(GeoPoint position);

// A longitude in degrees brought into -180..180 by whole turns; one within
// that range (180 and -180 included) is returned as it is.
double normalizedLongitude(double degrees);

// Metres on the ground (the ellipsoid) per metre of the projection plane
// at a latitude in degrees: N(phi) cos(phi) over the radius of the standard
// parallel, N the radius of curvature in the prime vertical. The projection
// is conformal, so this holds in every direction at that latitude; it is 1
// at latitude 30 and shrinks towards the poles (0 at them).
double groundMetresPerProjectionMetre(double latitudeDegrees);

// Chart units to degrees: the longitude is normalised into -180..180 (x of
// any copy of the world gives the longitude people read); the latitude is
// found with four fixed iterations.
GeoPoint chartToGeo(ChartPoint point);
