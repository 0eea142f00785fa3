#pragma once
// Hands out the tiles of one part of a tile set to the rendering threads,
// each tile once, in the set's order.
#include <mutex>

#include "TileSet.h"

namespace tiles {

class TileDispenser {
public:
  TileDispenser(const TileSet& set, int part, int parts) : cursor_(set), part_(part), parts_(parts) {}

  // The next tile of the part; false when there is none left.
  bool take(TileId& tile) {
    std::lock_guard<std::mutex> lock(mutex_);
    long long index = 0;
    while (cursor_.next(tile, index))
      if (inPart(index, part_, parts_)) return true;
    return false;
  }

private:
  std::mutex mutex_;
  TileSet::Cursor cursor_;
  const int part_, parts_;
};

}  // namespace tiles
