#include "CellDrawer.h"

#include "AreaDrawer.h"
#include "FeatureVisibility.h"
#include "LineDrawer.h"
#include "PointDrawer.h"
#include "SoundingDrawer.h"

bool stampsSymbolsAt(const S57Cell& cell, float scale) {
  // A hair of margin: a view set to the compilation scale may come out a
  // rounding step smaller.
  return cell.compilationScale > 0 && scale > static_cast<float>(cell.compilationScale) * 1.01f;
}

namespace {
const DetailLevel* detailLevelDrawn(DrawContext& dc, const S57Cell& cell) {
  if (!cell.detail) return nullptr;
  const int wanted = detailLevelForView(cell.detail->tolerances(), dc.view);
  if (!dc.wantedLevels) return cell.detail->level(cell, wanted);
  if (!cell.detail->has(wanted)) return nullptr;
  if (const DetailLevel* made = cell.detail->made(wanted)) return made;
  // A cell drawn in two copies of the world is wanted once.
  std::vector<WantedDetailLevel>& wants = *dc.wantedLevels;
  if (wants.empty() || wants.back().cell != &cell || wants.back().level != wanted) wants.push_back({&cell, wanted});
  return cell.detail->finestMade(wanted);
}

void drawFeatures(DrawContext& dc, const S57Cell& cell) {
  for (const auto& area : cell.areas) drawArea(dc, *area, cell);
  drawStyledEdges(dc);
  for (const auto& line : cell.lines) drawLine(dc, *line, cell);
  const float scale = dc.scale;
  if (!pointsShownAtScale(scale)) return;
  for (const auto& point : cell.points) drawPoint(dc, *point, cell);
  if (!soundingsShownAtScale(dc.settings, scale)) return;
  for (const auto& sounding : cell.soundings) drawSoundings(dc, *sounding, cell);
}
}  // namespace

void drawCell(DrawContext& dc, const S57Cell& cell) {
  dc.buffers.textBoxes.boxes.clear();
  dc.buffers.styledEdges.clear();
  dc.detail = detailLevelDrawn(dc, cell);
  dc.canvas.stampSymbols = stampsSymbolsAt(cell, dc.scale);
  drawFeatures(dc, cell);
  dc.canvas.stampSymbols = false;
}
