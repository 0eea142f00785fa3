#pragma once
// Draws tiles with a chart view of its own. One renderer per thread: each
// keeps its view, image and buffers from one tile to the next, and the
// renderers of several threads draw the same cells at once.
//
// A tile is drawn by a view larger than the tile by a margin on every side,
// through a painter whose device is the tile alone: symbols and texts of
// features just outside the tile are drawn too and show where they reach
// into it, exactly as in the tile next door, so tiles join without seams.
// Area patterns are laid from the grid's origin rather than the view's.
#include <QImage>
#include <vector>

#include "CellIndex.h"
#include "ChartModel.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "WebMercatorTiles.h"

class ChartEngine;

namespace tiles {

// Pixels drawn beyond each edge of a tile: room for light sectors, long
// names and the largest symbols anchored outside it.
constexpr int kTileMargin = 128;

class TileRenderer {
public:
  TileRenderer(ChartEngine& engine, const std::vector<S57Cell*>& cells, const DisplaySettings& settings);

  // Draws the tile into image(), transparent where there is no chart; false
  // when nothing at all was drawn on it.
  bool render(const TileId& tile);
  const QImage& image() const { return image_; }

private:
  ChartEngine& engine_;
  CellIndex cells_;  // its own index over the cells, built once
  const DisplaySettings& settings_;
  ChartView view_;
  QImage image_;
};

}  // namespace tiles
