// A deliberate data race: a counter written from two threads without a
// lock. Built only in the ThreadSanitizer tree; test.sh runs it with the
// project's suppressions and requires ThreadSanitizer to report it, so that
// a suppression rule can never grow wide enough to hide the project's own
// races.
#include <cstdio>
#include <thread>

namespace {
long counter = 0;

void countUnguarded() {
  for (int i = 0; i < 1000; ++i) ++counter;
}
}  // namespace

int main() {
  std::thread first(countUnguarded);
  std::thread second(countUnguarded);
  first.join();
  second.join();
  std::printf("counter %ld\n", counter);
  return 0;
}
