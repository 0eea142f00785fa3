#pragma once
// A small random number generator (SplitMix64) whose sequence is the same on
// every platform, for synthetic chart contents.
#include <cstdint>
#include <string>

namespace portfolio {

class SyntheticRandom {
public:
  explicit SyntheticRandom(uint64_t seed) : state_(seed) {}
  // Seeded from a name (FNV-1a of its bytes).
  explicit SyntheticRandom(const std::string& name) : state_(1469598103934665603ull) {
    for (unsigned char c : name) state_ = (state_ ^ c) * 1099511628211ull;
  }

  uint64_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [low, high).
  double uniform(double low, double high) {
    return low + (high - low) * static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
  }
  // Uniform in [0, count).
  int below(int count) { return static_cast<int>(next() % static_cast<uint64_t>(count)); }

private:
  uint64_t state_;
};

}  // namespace portfolio
