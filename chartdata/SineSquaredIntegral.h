#pragma once
// The integral from 0 to sigma of a smooth function of sin^2(sigma), as the
// geodesic and meridian-arc integrals of an ellipsoid need it. Such a
// function is even and of period pi, so its integral is c0 * sigma plus a
// sine series; the coefficients are found from samples of the function
// (equally spaced samples integrate a periodic analytic function exactly up
// to the aliasing of far harmonics), and for the ellipsoid's integrands
// they fall off by a factor of about 600 per term, so the series below is
// exact to the last bits of a double.
#include <array>

class SineSquaredIntegral {
public:
  static constexpr int kTerms = 6;
  static constexpr int kSamples = 2 * kTerms + 4;
  using Samples = std::array<double, kSamples>;

  SineSquaredIntegral() = default;
  // `integrand(s2)` gives the function's value where sin^2(sigma) = s2.
  template <typename F>
  static SineSquaredIntegral of(F integrand);

  // The values of sin^2(sigma) the integrand is sampled at, and the
  // integral of the function that has `values` there (for several
  // integrands of one argument, which can share the work of their samples).
  static const Samples& sampleSineSquares();
  static SineSquaredIntegral ofSamples(const Samples& values);

  // The integral from 0 to sigma (radians, any value); the second form takes
  // sin(2 sigma) and cos(2 sigma) worked out already.
  double operator()(double sigma) const;
  double operator()(double sigma, double sin2Sigma, double cos2Sigma) const;
  // The mean value of the integrand (the slope of the integral).
  double mean() const { return mean_; }

private:
  // cos(2 l sigma_j) at the sampled angles sigma_j.
  static const std::array<std::array<double, kSamples>, kTerms + 1>& sampleCosines();
  void fit(const Samples& values);

  double mean_ = 0;
  std::array<double, kTerms + 1> sineTerm_{};  // coefficient of sin(2 l sigma), l = 1..kTerms
};

template <typename F>
SineSquaredIntegral SineSquaredIntegral::of(F integrand) {
  Samples values{};
  const Samples& s2 = sampleSineSquares();
  for (int j = 0; j < kSamples; ++j) values[j] = integrand(s2[j]);
  return ofSamples(values);
}
