#pragma once
// The background loads of an engine's cells: how many are running, and
// whether they are asked to stop after their current cell. The loading
// threads and the GUI thread touch it at once.
#include <atomic>

class LoadActivity {
public:
  // A load counts from its hand-off to a thread until its run ends.
  void started() { ++running_; }
  void finished() { --running_; }
  bool running() const { return running_.load() > 0; }

  void requestStop() { stop_ = true; }
  void clearStop() { stop_ = false; }
  bool stopRequested() const { return stop_.load(); }

private:
  std::atomic<int> running_{0};
  std::atomic<bool> stop_{false};
};
