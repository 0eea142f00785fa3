#include "ChartView.h"

#include <QPainter>
#include <cmath>

#include "CellBoundary.h"
#include "CellChoice.h"
#include "CellDrawer.h"
#include "CellList.h"
#include "ChartFont.h"
#include "Overscale.h"
#include "OverscalePattern.h"
#include "WorldBaseMap.h"

namespace {
constexpr double kPickDistance = 50000000.0;  // chart units
}  // namespace

ChartView& loadingChartView() {
  static ChartView view;
  return view;
}

void ChartView::draw(QPainter& painter, const DisplaySettings& settings) {
  const CellSnapshot cells = cellList().snapshot();
  draw(painter, settings, *cells);
}

void ChartView::draw(QPainter& painter, const DisplaySettings& settings, const std::vector<S57Cell*>& cells,
                     InstructionRecorder* recorder) {
  updateOrigin(*this);
  setupChartFont(painter);
  if (settings.showWorldBaseMap) worldBaseMap().draw(Canvas{painter, *settings.colourTable}, *this);
  drawCells(painter, settings, cells, recorder);
}

void ChartView::drawCells(QPainter& painter, const DisplaySettings& settings, const std::vector<S57Cell*>& cells,
                          InstructionRecorder* recorder) {
  drawnCells.clear();
  overscale = 0;
  cellNameBoxes.boxes.clear();
  chooseCandidates(cells, *this, candidates);
  DrawContext dc{Canvas{painter, *settings.colourTable}, settings, *this, buffers, recorder};
  for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
    S57Cell& cell = **it;
    if (cellShownAtScale(cell, isNestedCell(cell, candidates), scale)) {
      drawCell(dc, cell);
      // Over the cell's own features, under the more detailed cells drawn next.
      if (overscalePatternShown(cell, scale)) drawOverscalePattern(dc, cell);
      drawnCells.push_back(&cell);
    }
    if (settings.showCellBoundaries) drawCellBoundary(painter, cell, *this, &cellNameBoxes);
  }
  // The most detailed cell drawn is the last one.
  if (!drawnCells.empty()) {
    const double factor = overscaleFactor(*drawnCells.back(), scale);
    if (factor > 1) overscale = factor;
  }
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
