#include "TileRenderer.h"

#include <QPainter>

#include "TileImage.h"
#include "TileView.h"
#include "ViewGeometry.h"

namespace tiles {

namespace {

// Pattern brushes are laid from the painter's origin; anchoring them to the
// grid's origin (modulo 2^24 pixels, which keeps the numbers small and is
// exact up to zoom 16) makes them continue from one tile into the next.
QPointF gridBrushOrigin(const TileId& tile) {
  constexpr long long kWrap = 1LL << 24;
  const long long left = (static_cast<long long>(tile.x) * kTileSize - kTileMargin) % kWrap;
  const long long top = (static_cast<long long>(tile.y) * kTileSize - kTileMargin) % kWrap;
  return QPointF(static_cast<double>(-left), static_cast<double>(-top));
}

}  // namespace

TileRenderer::TileRenderer(ChartEngine& engine, const std::vector<S57Cell*>& cells,
                           const DisplaySettings& settings)
    : engine_(engine),
      cells_(cells),
      settings_(settings),
      image_(kTileSize, kTileSize, QImage::Format_ARGB32_Premultiplied) {
  // Tiles lie over other maps: where the cells have no data they stay
  // transparent.
  view_.showNoData = false;
}

bool TileRenderer::render(const TileId& tile) {
  const TileViewPlacement placement = tileViewPlacement(tile);
  view_.centre = placement.chartCentre;
  view_.scale = static_cast<float>(placement.scale);

  image_.fill(Qt::transparent);
  QPainter painter(&image_);
  // The view is the tile and its margins; the painter maps it so that the
  // tile's own pixels fall on the image.
  const int side = kTileSize + 2 * kTileMargin;
  setupPainter(painter, side, side, view_);
  painter.setViewport(-kTileMargin, -kTileMargin, side, side);
  painter.setBrushOrigin(gridBrushOrigin(tile));
  view_.draw(painter, engine_, settings_, cells_);
  painter.end();
  return !isBlank(image_);
}

}  // namespace tiles
