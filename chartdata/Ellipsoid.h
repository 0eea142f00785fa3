#pragma once
// An ellipsoid of revolution (WGS84 unless another is built) and the
// latitudes and arcs that geodesics and rhumb lines are measured with. All
// angles here are radians.
#include "SineSquaredIntegral.h"

class Ellipsoid {
public:
  // Semi-major axis in metres and flattening (0 <= f < 1).
  Ellipsoid(double semiMajorAxis, double flattening);
  static const Ellipsoid& wgs84();

  double a() const { return a_; }
  double f() const { return f_; }
  double b() const { return b_; }                           // semi-minor axis
  double eccentricitySquared() const { return e2_; }        // e^2 = f (2 - f)
  double secondEccentricitySquared() const { return ep2_; } // e'^2 = e^2 / (1 - e^2)

  // The distance along the meridian from the equator to `latitude`.
  double meridianArc(double latitude) const;
  // The latitude at that meridian distance (clamped to the poles).
  double latitudeAtMeridianArc(double metres) const;
  // The distance from the equator to a pole.
  double quarterMeridian() const;

  // Isometric latitude psi (the Mercator ordinate over a); infinite at the poles.
  double isometricLatitude(double latitude) const;
  double latitudeAtIsometric(double psi) const;

  // The radius of the parallel of `latitude` (its circumference over 2 pi).
  double parallelRadius(double latitude) const;

  // sin and cos of the conformal latitude chi, and the ratio
  // (nu cos(latitude)) / (a cos(chi)) of the parallel radius to that of the
  // conformal sphere of radius a; all three stay finite at the poles.
  struct Conformal {
    double sinChi, cosChi, parallelRatio;
  };
  Conformal conformal(double latitude) const;

private:
  double a_, f_, b_, e2_, ep2_, e_;
  SineSquaredIntegral meridian_;  // the meridian arc over b, against the reduced latitude
};
