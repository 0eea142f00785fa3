#pragma once
// A value worked out from a cell's data on first need and kept with the
// feature. Views drawing the same cell on several threads may work it out
// at the same time; they all get the same value, so the race costs only
// time, and the atomic stores keep it well defined.
#include <atomic>

template <typename T>
class CachedValue {
public:
  CachedValue() = default;
  CachedValue(const CachedValue& other) { copyFrom(other); }
  CachedValue& operator=(const CachedValue& other) {
    copyFrom(other);
    return *this;
  }

  bool known() const { return known_.load(std::memory_order_acquire); }
  // The kept value; meaningful once known.
  T get() const { return value_.load(std::memory_order_relaxed); }
  void set(T value) const {
    value_.store(value, std::memory_order_relaxed);
    known_.store(true, std::memory_order_release);
  }
  // The kept value, worked out by `compute` when not known yet.
  template <typename Compute>
  T get(Compute compute) const {
    if (known()) return get();
    const T value = compute();
    set(value);
    return value;
  }

private:
  void copyFrom(const CachedValue& other) {
    value_.store(other.get(), std::memory_order_relaxed);
    known_.store(other.known(), std::memory_order_release);
  }

  mutable std::atomic<T> value_{};
  mutable std::atomic<bool> known_{false};
};
