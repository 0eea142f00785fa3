#include "ChartView.h"

#include <QPainter>
#include <cmath>

#include "AreaPortrayal.h"
#include "CellBoundary.h"
#include "CellChoice.h"
#include "CellList.h"
#include "ChartFont.h"
#include "DisplaySettings.h"
#include "LinePortrayal.h"
#include "PointPortrayal.h"
#include "SoundingPortrayal.h"
#include "WorldBaseMap.h"

namespace {
constexpr double kPickDistance = 50000000.0;  // chart units
// Points are drawn up to this scale, soundings only below it.
constexpr float kPointScaleLimit = 500000.0f;
}  // namespace

ChartView& loadingChartView() {
  static ChartView view;
  return view;
}

void ChartView::draw(QPainter& painter) {
  const CellSnapshot cells = cellList().snapshot();
  draw(painter, *cells);
}

void ChartView::draw(QPainter& painter, const std::vector<S57Cell*>& cells) {
  updateOrigin(*this);
  setupChartFont(painter);
  if (displaySettings().showWorldBaseMap) worldBaseMap().draw(painter, *this);
  drawCells(painter, cells);
}

void ChartView::drawCells(QPainter& painter) {
  const CellSnapshot cells = cellList().snapshot();
  drawCells(painter, *cells);
}

void ChartView::drawCells(QPainter& painter, const std::vector<S57Cell*>& cells) {
  drawnCells.clear();
  cellNameBoxes.boxes.clear();
  chooseCandidates(cells, *this, candidates);
  const bool boundaries = displaySettings().showCellBoundaries;
  for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
    S57Cell& cell = **it;
    if (cellShownAtScale(cell, isNestedCell(cell, candidates), scale)) {
      drawCell(painter, cell);
      drawnCells.push_back(&cell);
    }
    if (boundaries) drawCellBoundary(painter, cell, *this, &cellNameBoxes);
  }
}

void ChartView::drawCell(QPainter& painter, S57Cell& cell) {
  cell.textBoxes.boxes.clear();
  for (const auto& area : cell.areas)
    if (featureShownAtScale(*area, scale)) drawArea(painter, *area, cell, *this, outlineBuffers);
  for (const auto& line : cell.lines)
    if (featureShownAtScale(*line, scale)) drawLineFeature(painter, *line, cell, *this, lineBuffers);
  if (scale > kPointScaleLimit) return;
  for (const auto& point : cell.points)
    if (featureShownAtScale(*point, scale)) drawPoint(painter, *point, cell, *this);
  if (!displaySettings().showSoundings || !(scale < kPointScaleLimit)) return;
  for (const auto& sounding : cell.soundings) drawSoundings(painter, *sounding, cell, *this);
}

std::vector<PointFeature*> ChartView::pickPoints(float pixelX, float pixelY) const {
  const ChartPoint at = pixelToChart(pixelX, pixelY, *this);
  std::vector<PointFeature*> picked;
  for (S57Cell* cell : drawnCells) {
    for (const auto& point : cell->points) {
      const ChartPoint& p = point->position.point;
      if (std::fabs(p.y - at.y) < kPickDistance && std::fabs(p.x - at.x) < kPickDistance) picked.push_back(point.get());
    }
    if (!picked.empty()) break;
  }
  return picked;
}
