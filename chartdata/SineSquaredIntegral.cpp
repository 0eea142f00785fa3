#include "SineSquaredIntegral.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

const std::array<double, SineSquaredIntegral::kSamples>& SineSquaredIntegral::sampleSineSquares() {
  static const std::array<double, kSamples> table = [] {
    std::array<double, kSamples> t{};
    for (int j = 0; j < kSamples; ++j) {
      const double s = std::sin((j + 0.5) * kPi / kSamples);
      t[j] = s * s;
    }
    return t;
  }();
  return table;
}

const std::array<std::array<double, SineSquaredIntegral::kSamples>, SineSquaredIntegral::kTerms + 1>&
SineSquaredIntegral::sampleCosines() {
  static const std::array<std::array<double, kSamples>, kTerms + 1> table = [] {
    std::array<std::array<double, kSamples>, kTerms + 1> t{};
    for (int l = 0; l <= kTerms; ++l)
      for (int j = 0; j < kSamples; ++j) t[l][j] = std::cos(2.0 * l * (j + 0.5) * kPi / kSamples);
    return t;
  }();
  return table;
}

SineSquaredIntegral SineSquaredIntegral::ofSamples(const Samples& values) {
  SineSquaredIntegral result;
  result.fit(values);
  return result;
}

void SineSquaredIntegral::fit(const std::array<double, kSamples>& values) {
  const auto& cosines = sampleCosines();
  double sum = 0;
  for (double v : values) sum += v;
  mean_ = sum / kSamples;
  sineTerm_[0] = 0;
  for (int l = 1; l <= kTerms; ++l) {
    double c = 0;
    for (int j = 0; j < kSamples; ++j) c += values[j] * cosines[l][j];
    // The cosine coefficient 2/N sum(...) integrates to c / (2 l) sin(2 l sigma).
    sineTerm_[l] = (2.0 / kSamples) * c / (2.0 * l);
  }
}

double SineSquaredIntegral::operator()(double sigma) const {
  return (*this)(sigma, std::sin(2 * sigma), std::cos(2 * sigma));
}

double SineSquaredIntegral::operator()(double sigma, double s2, double c2) const {
  // sin(2 l sigma) by the Chebyshev recurrence from sin and cos of 2 sigma.
  double previous = 0, current = s2, sum = 0;
  for (int l = 1; l <= kTerms; ++l) {
    sum += sineTerm_[l] * current;
    const double next = 2 * c2 * current - previous;
    previous = current;
    current = next;
  }
  return mean_ * sigma + sum;
}
