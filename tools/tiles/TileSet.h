#pragma once
// The tiles to render: at each zoom, those meeting the requested box and the
// area of at least one cell (widened by the drawing margin, since a symbol
// of a cell can reach beyond it). They are numbered zoom by zoom, row by row
// from the north, west to east; part k of n is every tile whose number
// leaves k - 1 when divided by n, so the parts of one set are disjoint, their
// union is the set, and each spreads over the whole area.
//
// Time and memory grow with the number of cells and rows, never with the
// empty stretches between them.
#include <cstddef>
#include <utility>
#include <vector>

#include "WebMercatorTiles.h"

namespace tiles {

class TileSet {
public:
  TileSet(int minZoom, int maxZoom, const GeoBox& box, const std::vector<GeoBox>& areas, double marginPixels);

  long long size() const { return size_; }

  // Walks the set in order.
  class Cursor {
  public:
    explicit Cursor(const TileSet& set);
    // The next tile and its number in the set; false at the end.
    bool next(TileId& tile, long long& index);

  private:
    bool startRow();  // intervals of row `y_` (or a later one) at zoom `zoom_`

    const TileSet& set_;
    size_t zoom_ = 0;  // index into the set's zooms
    int y_ = 0;
    std::vector<std::pair<int, int>> intervals_;  // x ranges of the row, inclusive
    size_t interval_ = 0;
    int x_ = 0;
    long long index_ = 0;
    bool rowReady_ = false;
  };

private:
  friend class Cursor;
  struct Zoom {
    int z = 0;
    std::vector<TileRange> ranges;
    int firstRow = 0, lastRow = -1;
  };
  // The merged x intervals of the ranges covering row y.
  static void rowIntervals(const Zoom& zoom, int y, std::vector<std::pair<int, int>>& out);
  // The first row at or after y that some range covers; -1 when none.
  static int nextRow(const Zoom& zoom, int y);

  std::vector<Zoom> zooms_;
  long long size_ = 0;
};

// How many tiles of a set of `total` belong to part k of n (1 <= k <= n).
long long partSize(long long total, int part, int parts);
// Whether the tile numbered `index` belongs to part k of n.
inline bool inPart(long long index, int part, int parts) { return index % parts == part - 1; }

}  // namespace tiles
