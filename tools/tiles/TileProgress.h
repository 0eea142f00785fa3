#pragma once
// The progress line on standard error: tiles done of the total and tiles per
// second. On a terminal it is rewritten in place a few times a second;
// otherwise a line is added every ten seconds. finish() prints the last one.
#include <chrono>

namespace tiles {

class TileProgress {
public:
  explicit TileProgress(long long total);
  void update(long long done);
  void finish(long long done);
  double seconds() const;

private:
  void print(long long done, bool last);

  long long total_;
  bool terminal_;
  std::chrono::steady_clock::time_point start_, lastPrint_;
};

}  // namespace tiles
