#include "ChartView.h"

#include <QPainter>
#include <cmath>

#include "CellBoundary.h"
#include "CellChoice.h"
#include "CellDrawer.h"
#include "DrawnCells.h"
#include "CellList.h"
#include "ChartFont.h"
#include "WorldBaseMap.h"

namespace {
constexpr double kPickDistance = 50000000.0;  // chart units
}  // namespace

ChartView& loadingChartView() {
  static ChartView view;
  return view;
}

void ChartView::draw(QPainter& painter, const DisplaySettings& settings) {
  const IndexedSnapshot cells = cellList().indexedSnapshot();
  draw(painter, settings, *cells);
}

void ChartView::draw(QPainter& painter, const DisplaySettings& settings, const std::vector<S57Cell*>& cells,
                     InstructionRecorder* recorder) {
  drawPass(painter, settings, cells, recorder);
}

void ChartView::draw(QPainter& painter, const DisplaySettings& settings, const CellIndex& cells,
                     InstructionRecorder* recorder) {
  drawPass(painter, settings, cells, recorder);
}

template <typename Cells>
void ChartView::drawPass(QPainter& painter, const DisplaySettings& settings, const Cells& cells,
                         InstructionRecorder* recorder) {
  updateOrigin(*this);
  setupChartFont(painter);
  if (settings.showWorldBaseMap) worldBaseMap().draw(Canvas{painter, *settings.colourTable}, *this);
  drawCells(painter, settings, cells, recorder);
}

void ChartView::drawCells(QPainter& painter, const DisplaySettings& settings, const std::vector<S57Cell*>& cells,
                          InstructionRecorder* recorder) {
  chooseCandidates(cells, *this, candidates);
  drawCandidates(painter, settings, recorder);
}

void ChartView::drawCells(QPainter& painter, const DisplaySettings& settings, const CellIndex& cells,
                          InstructionRecorder* recorder) {
  chooseCandidates(cells, *this, candidatePositions, candidates);
  drawCandidates(painter, settings, recorder);
}

void ChartView::drawCandidates(QPainter& painter, const DisplaySettings& settings, InstructionRecorder* recorder) {
  drawnCells.clear();
  cellNameBoxes.boxes.clear();
  chooseDrawnCells(candidates, *this, coverage, candidateDrawn);
  DrawContext dc{Canvas{painter, *settings.colourTable}, settings, *this, buffers, recorder};
  for (size_t i = candidates.size(); i-- > 0;) {
    S57Cell& cell = *candidates[i];
    if (candidateDrawn[i]) {
      drawCell(dc, cell);
      drawnCells.push_back(&cell);
    }
    if (settings.showCellBoundaries) drawCellBoundary(painter, cell, *this, &cellNameBoxes);
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
