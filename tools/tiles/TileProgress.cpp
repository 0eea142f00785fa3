#include "TileProgress.h"

#include <unistd.h>

#include <cstdio>

namespace tiles {

TileProgress::TileProgress(long long total)
    : total_(total), terminal_(isatty(STDERR_FILENO) == 1), start_(std::chrono::steady_clock::now()),
      lastPrint_(start_) {}

double TileProgress::seconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void TileProgress::update(long long done) {
  const auto now = std::chrono::steady_clock::now();
  const auto every = terminal_ ? std::chrono::milliseconds(250) : std::chrono::milliseconds(10000);
  if (now - lastPrint_ < every) return;
  lastPrint_ = now;
  print(done, false);
}

void TileProgress::finish(long long done) { print(done, true); }

void TileProgress::print(long long done, bool last) {
  const double s = seconds();
  const double rate = s > 0 ? static_cast<double>(done) / s : 0;
  std::fprintf(stderr, "%stiles %lld/%lld, %.1f tiles/s%s", terminal_ ? "\r" : "", done, total_, rate,
               terminal_ && !last ? "" : "\n");
  std::fflush(stderr);
}

}  // namespace tiles
