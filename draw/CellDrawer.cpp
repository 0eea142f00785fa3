#include "CellDrawer.h"

#include "AreaDrawer.h"
#include "FeatureVisibility.h"
#include "LineDrawer.h"
#include "PointDrawer.h"
#include "SoundingDrawer.h"

void drawCell(DrawContext& dc, const S57Cell& cell) {
  dc.buffers.textBoxes.boxes.clear();
  dc.buffers.styledEdges.clear();
  dc.detail = cell.detail ? cell.detail->level(cell, detailLevelForView(cell.detail->tolerances(), dc.view)) : nullptr;
  for (const auto& area : cell.areas) drawArea(dc, *area, cell);
  drawStyledEdges(dc);
  for (const auto& line : cell.lines) drawLine(dc, *line, cell);
  const float scale = dc.scale;
  if (!pointsShownAtScale(scale)) return;
  for (const auto& point : cell.points) drawPoint(dc, *point, cell);
  if (!soundingsShownAtScale(dc.settings, scale)) return;
  for (const auto& sounding : cell.soundings) drawSoundings(dc, *sounding, cell);
}
