#pragma once
// Hands rendered tiles from the rendering threads to the one thread that
// stores them. Bounded, so that rendering never runs far ahead of writing.
#include <QByteArray>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "WebMercatorTiles.h"

namespace tiles {

struct RenderedTile {
  TileId tile;
  bool drawn = false;  // false: the tile shows no chart and is not stored
  QByteArray png;
};

class RenderedTileQueue {
public:
  RenderedTileQueue(size_t capacity, int producers) : capacity_(capacity), producers_(producers) {}

  // Waits for room; false once the queue is cancelled (stop rendering).
  bool push(RenderedTile tile) {
    std::unique_lock<std::mutex> lock(mutex_);
    roomOrCancel_.wait(lock, [&] { return cancelled_ || items_.size() < capacity_; });
    if (cancelled_) return false;
    items_.push_back(std::move(tile));
    itemOrEnd_.notify_one();
    return true;
  }

  // A rendering thread has no more tiles.
  void producerDone() {
    std::lock_guard<std::mutex> lock(mutex_);
    --producers_;
    itemOrEnd_.notify_all();
  }

  // Waits for a tile; false when every producer is done and all is taken.
  bool pop(RenderedTile& tile) {
    std::unique_lock<std::mutex> lock(mutex_);
    itemOrEnd_.wait(lock, [&] { return !items_.empty() || producers_ == 0; });
    if (items_.empty()) return false;
    tile = std::move(items_.front());
    items_.pop_front();
    roomOrCancel_.notify_one();
    return true;
  }

  // Stops the producers at their next push; what is queued is dropped.
  void cancel() {
    std::lock_guard<std::mutex> lock(mutex_);
    cancelled_ = true;
    items_.clear();
    roomOrCancel_.notify_all();
  }

private:
  std::mutex mutex_;
  std::condition_variable roomOrCancel_, itemOrEnd_;
  std::deque<RenderedTile> items_;
  const size_t capacity_;
  int producers_;
  bool cancelled_ = false;
};

}  // namespace tiles
