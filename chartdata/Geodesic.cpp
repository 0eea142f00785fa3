#include "Geodesic.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

// The method: a geodesic on the ellipsoid maps onto a great circle of the
// auxiliary sphere (latitude: the reduced latitude beta; longitude: omega),
// with sigma the arc from the point where it crosses the equator going
// north and alpha0 its course there. Distance and longitude then follow from
//   s      = b * I1(sigma),  I1 = integral of sqrt(1 + k^2 sin^2 sigma)
//   lambda = omega - f sin(alpha0) * I3(sigma),
//            I3 = integral of (2 - f) / (1 + (1 - f) sqrt(1 + k^2 sin^2 sigma))
// with k^2 = e'^2 cos^2(alpha0). The inverse problem is brought to the case
// lat1 <= 0, |lat2| <= |lat1|, 0 <= lon12 <= 180, where the longitude
// reached rises with the start course over (0, 180), and that course is
// found by Newton's method kept inside a shrinking bracket.

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kRadians = kPi / 180.0;
const double kTiny = std::sqrt(std::numeric_limits<double>::min());

}  // namespace

void sinCosDegrees(double degrees, double& s, double& c) {
  double r = std::remainder(degrees, 360.0);
  const int q = static_cast<int>(std::lround(r / 90.0));
  r = (r - 90.0 * q) * kRadians;
  const double sr = std::sin(r), cr = std::cos(r);
  switch (((q % 4) + 4) % 4) {
    case 0: s = sr; c = cr; break;
    case 1: s = cr; c = -sr; break;
    case 2: s = -sr; c = -cr; break;
    default: s = -cr; c = sr; break;
  }
  c += 0.0;  // no -0 cosine
}

namespace {

double courseDegrees(double s, double c) {
  double d = std::atan2(s, c) / kRadians;
  if (d < 0) d += 360.0;
  if (d >= 360.0) d -= 360.0;
  return d + 0.0;
}

// sin and cos of the reduced latitude of a latitude in degrees; the cosine
// is kept off zero so that courses at a pole still say which meridian.
void reducedLatitude(double latitude, double f, double& s, double& c) {
  double sphi = 0, cphi = 0;
  sinCosDegrees(latitude, sphi, cphi);
  s = (1 - f) * sphi;
  c = cphi;
  const double h = std::hypot(s, c);
  s /= h;
  c = std::max(kTiny, c / h);
}

double clampLatitude(double latitude) { return std::max(-90.0, std::min(90.0, latitude)); }

SineSquaredIntegral distanceIntegral(double k2) {
  return SineSquaredIntegral::of([k2](double s2) { return std::sqrt(1 + k2 * s2); });
}
SineSquaredIntegral longitudeIntegral(double k2, double f) {
  return SineSquaredIntegral::of(
      [k2, f](double s2) { return (2 - f) / (1 + (1 - f) * std::sqrt(1 + k2 * s2)); });
}

// The general inverse case for one start course: where the geodesic from
// (beta1) along alpha1 reaches the parallel beta2 going north.
struct Trial {
  double lambda12 = 0;     // longitude reached, radians
  double derivative = 0;   // d(lambda12) / d(alpha1)
  double metres = 0;
  double sinAlpha2 = 0, cosAlpha2 = 0;
};

Trial tryCourse(const Ellipsoid& e, double sbet1, double cbet1, double sbet2, double cbet2, double salp1,
                double calp1) {
  const double f = e.f();
  const double salp0 = salp1 * cbet1;
  const double calp0 = std::hypot(calp1, salp1 * sbet1);
  const double ssig1 = sbet1, csig1 = calp1 * cbet1;
  const double somg1 = salp0 * sbet1, comg1 = csig1;
  Trial t;
  t.sinAlpha2 = cbet2 != cbet1 ? salp0 / cbet2 : salp1;
  // cos(alpha2) >= 0: the first time the parallel is reached going north.
  t.cosAlpha2 = cbet2 != cbet1 || std::fabs(sbet2) != -sbet1
                    ? std::sqrt(calp1 * cbet1 * calp1 * cbet1 +
                                (cbet1 < -sbet1 ? (cbet2 - cbet1) * (cbet1 + cbet2)
                                                : (sbet1 - sbet2) * (sbet1 + sbet2))) /
                          cbet2
                    : std::fabs(calp1);
  const double ssig2 = sbet2, csig2 = t.cosAlpha2 * cbet2;
  const double somg2 = salp0 * sbet2, comg2 = csig2;
  const double sig1 = std::atan2(ssig1, csig1), sig2 = std::atan2(ssig2, csig2);
  const double omg12 = std::atan2(somg2, comg2) - std::atan2(somg1, comg1);
  const double k2 = e.secondEccentricitySquared() * calp0 * calp0;
  // The three integrals share their samples of sqrt(1 + k^2 sin^2).
  SineSquaredIntegral::Samples d1, d2, d3;
  const SineSquaredIntegral::Samples& s2j = SineSquaredIntegral::sampleSineSquares();
  for (int j = 0; j < SineSquaredIntegral::kSamples; ++j) {
    const double g = std::sqrt(1 + k2 * s2j[j]);
    d1[j] = g;
    d2[j] = 1 / g;
    d3[j] = (2 - f) / (1 + (1 - f) * g);
  }
  const SineSquaredIntegral i1 = SineSquaredIntegral::ofSamples(d1), i2 = SineSquaredIntegral::ofSamples(d2),
                            i3 = SineSquaredIntegral::ofSamples(d3);
  const double h1 = std::hypot(ssig1, csig1), h2 = std::hypot(ssig2, csig2);
  const double s1 = ssig1 / h1, c1 = csig1 / h1, s2 = ssig2 / h2, c2 = csig2 / h2;
  const double s21 = 2 * s1 * c1, c21 = c1 * c1 - s1 * s1, s22 = 2 * s2 * c2, c22 = c2 * c2 - s2 * s2;
  const double i1a = i1(sig1, s21, c21), i1b = i1(sig2, s22, c22);
  t.lambda12 = omg12 - f * salp0 * (i3(sig2, s22, c22) - i3(sig1, s21, c21));
  t.metres = e.b() * (i1b - i1a);
  // The reduced length m12 moves the end across the geodesic; along the
  // parallel that is m12 / cos(alpha2), over the parallel's radius a cos(beta2).
  const double dn1 = std::sqrt(1 + k2 * s1 * s1), dn2 = std::sqrt(1 + k2 * s2 * s2);
  const double j12 = (i1b - i2(sig2, s22, c22)) - (i1a - i2(sig1, s21, c21));
  const double m12 = e.b() * (dn2 * c1 * s2 - dn1 * s1 * c2 - c1 * c2 * j12);
  t.derivative = t.cosAlpha2 > 0 ? m12 / (e.a() * t.cosAlpha2 * cbet2) : 0;
  return t;
}
}  // namespace

GeodesicSolution solveGeodesic(GeoPoint from, GeoPoint to, const Ellipsoid& e) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  if (!std::isfinite(from.latitude) || !std::isfinite(from.longitude) || !std::isfinite(to.latitude) ||
      !std::isfinite(to.longitude))
    return {nan, nan, nan};
  double lat1 = clampLatitude(from.latitude), lat2 = clampLatitude(to.latitude);
  double lon12 = std::remainder(to.longitude - from.longitude, 360.0);
  if (lat1 == lat2 && lon12 == 0) return {};

  // To the canonical case.
  int lonsign = lon12 >= 0 ? 1 : -1;
  lon12 = std::fabs(lon12);
  const int swapp = std::fabs(lat1) < std::fabs(lat2) ? -1 : 1;
  if (swapp < 0) {
    lonsign = -lonsign;
    std::swap(lat1, lat2);
  }
  const int latsign = lat1 < 0 ? 1 : -1;
  lat1 *= latsign;  // a latitude 0 becomes -0, so its auxiliary angles start at -180
  lat2 *= latsign;

  const double f = e.f();
  double sbet1, cbet1, sbet2, cbet2;
  reducedLatitude(lat1, f, sbet1, cbet1);
  reducedLatitude(lat2, f, sbet2, cbet2);
  // Keep |beta2| == |beta1| exact where the latitudes are.
  if (cbet1 < -sbet1) {
    if (cbet2 == cbet1) sbet2 = std::copysign(sbet1, sbet2);
  } else if (std::fabs(sbet2) == -sbet1) {
    cbet2 = cbet1;
  }
  double slam12, clam12;
  sinCosDegrees(lon12, slam12, clam12);
  const double lam12 = lon12 * kRadians;

  double metres = 0, salp1 = 0, calp1 = 1, salp2 = 0, calp2 = 1;
  if (lat1 == -90 || slam12 == 0) {
    // Along a meridian (through the pole when lon12 is 180).
    calp1 = clam12;
    salp1 = slam12;
    const double sig1 = std::atan2(sbet1, calp1 * cbet1), sig2 = std::atan2(sbet2, cbet2);
    const SineSquaredIntegral i1 = distanceIntegral(e.secondEccentricitySquared());
    metres = e.b() * (i1(sig2) - i1(sig1));
  } else if (sbet1 == 0 && lon12 <= (1 - f) * 180) {
    // Along the equator.
    salp1 = salp2 = 1;
    calp1 = calp2 = 0;
    metres = e.a() * lam12;
  } else {
    // The start course, first as on a sphere with omega12 = lambda12.
    double lo = sbet1 == 0 ? kPi / 2 : 0, hi = kPi;
    double alp1 = std::atan2(cbet2 * slam12, cbet1 * sbet2 - sbet1 * cbet2 * clam12);
    if (!(alp1 > lo && alp1 < hi)) alp1 = (lo + hi) / 2;
    Trial t;
    for (int i = 0; i < 200; ++i) {
      salp1 = std::sin(alp1);
      calp1 = std::cos(alp1);
      t = tryCourse(e, sbet1, cbet1, sbet2, cbet2, salp1, calp1);
      const double v = t.lambda12 - lam12;
      if (std::fabs(v) <= 2e-15) break;
      if (v > 0) hi = alp1;
      else lo = alp1;
      double next = t.derivative > 0 ? alp1 - v / t.derivative : lo - 1;
      if (!(next > lo && next < hi)) next = (lo + hi) / 2;
      if (next == alp1 || hi - lo <= 4 * std::numeric_limits<double>::epsilon()) break;
      alp1 = next;
    }
    metres = t.metres;
    salp2 = t.sinAlpha2;
    calp2 = t.cosAlpha2;
  }

  // Back from the canonical case.
  if (swapp < 0) {
    std::swap(salp1, salp2);
    std::swap(calp1, calp2);
  }
  salp1 *= swapp * lonsign;
  calp1 *= swapp * latsign;
  salp2 *= swapp * lonsign;
  calp2 *= swapp * latsign;
  return {metres, courseDegrees(salp1, calp1), courseDegrees(salp2, calp2)};
}

RangeBearing rangeAndBearing(GeoPoint from, GeoPoint to) {
  const GeodesicSolution g = solveGeodesic(from, to);
  return {g.metres, g.initialCourse};
}

GeodesicLine::GeodesicLine(GeoPoint start, double courseDegrees, const Ellipsoid& e)
    : ellipsoid_(&e), startLongitude_(start.longitude) {
  double salp1, calp1, sbet1, cbet1;
  sinCosDegrees(courseDegrees, salp1, calp1);
  reducedLatitude(clampLatitude(start.latitude), e.f(), sbet1, cbet1);
  sinAlpha0_ = salp1 * cbet1;
  cosAlpha0_ = std::hypot(calp1, salp1 * sbet1);
  // On the equator going east or west, the crossing is the start itself.
  double ssig1 = sbet1, csig1 = sbet1 != 0 || calp1 != 0 ? cbet1 * calp1 : 1;
  const double h = std::hypot(ssig1, csig1);
  sinSigma1_ = ssig1 / h;
  cosSigma1_ = csig1 / h;
  sigma1_ = std::atan2(sinSigma1_, cosSigma1_);
  const double k2 = e.secondEccentricitySquared() * cosAlpha0_ * cosAlpha0_;
  distance_ = distanceIntegral(k2);
  longitude_ = longitudeIntegral(k2, e.f());
  distance1_ = distance_(sigma1_);
  longitude1_ = longitude_(sigma1_);
}

GeodesicLine::Point GeodesicLine::at(double metres) const {
  const Ellipsoid& e = *ellipsoid_;
  const double k2 = e.secondEccentricitySquared() * cosAlpha0_ * cosAlpha0_;
  // The arc sigma2 whose distance integral is the one wanted (Newton).
  const double target = distance1_ + metres / e.b();
  double sigma2 = sigma1_ + (metres / e.b()) / distance_.mean();
  for (int i = 0; i < 10; ++i) {
    const double s = std::sin(sigma2);
    const double step = (distance_(sigma2) - target) / std::sqrt(1 + k2 * s * s);
    sigma2 -= step;
    if (std::fabs(step) < 1e-15) break;
  }
  const double ssig2 = std::sin(sigma2), csig2 = std::cos(sigma2);
  const double sbet2 = cosAlpha0_ * ssig2;
  const double cbet2 = std::max(kTiny, std::hypot(sinAlpha0_, cosAlpha0_ * csig2));
  const double E = std::copysign(1.0, sinAlpha0_);
  const double somg1 = sinAlpha0_ * sinSigma1_, comg1 = cosSigma1_;
  const double somg2 = sinAlpha0_ * ssig2, comg2 = csig2;
  // Omega unrolled, so that a line longer than half the world keeps counting.
  const double omg12 = E * ((sigma2 - sigma1_) - (std::atan2(ssig2, csig2) - std::atan2(sinSigma1_, cosSigma1_)) +
                            (std::atan2(E * somg2, comg2) - std::atan2(E * somg1, comg1)));
  const double lam12 = omg12 - e.f() * sinAlpha0_ * (longitude_(sigma2) - longitude1_);
  Point p;
  p.position.latitude = std::atan2(sbet2, (1 - e.f()) * cbet2) / kRadians;
  p.position.longitude = normalizedLongitude(startLongitude_ + lam12 / kRadians);
  p.course = courseDegrees(sinAlpha0_, cosAlpha0_ * csig2);
  return p;
}
