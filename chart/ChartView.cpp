#include "ChartView.h"

#include <QPainter>

#include "CellBoundary.h"
#include "CellChoice.h"
#include "CellDrawer.h"
#include "CellList.h"
#include "ChartFont.h"
#include "WorldBaseMap.h"

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
  cellNameBoxes.boxes.clear();
  chooseCandidates(cells, *this, candidates);
  DrawContext dc{Canvas{painter, *settings.colourTable}, settings, *this, buffers, recorder};
  for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
    S57Cell& cell = **it;
    if (cellDrawn(cell)) {
      drawCell(dc, cell);
      drawnCells.push_back(&cell);
    }
    if (settings.showCellBoundaries) drawCellBoundary(painter, cell, *this, &cellNameBoxes);
  }
}

bool ChartView::cellDrawn(const S57Cell& cell) const {
  return cellShownAtScale(cell, isNestedCell(cell, candidates), scale);
}

void ChartView::chooseDrawnCells(const std::vector<S57Cell*>& cells) {
  updateOrigin(*this);
  drawnCells.clear();
  chooseCandidates(cells, *this, candidates);
  for (auto it = candidates.rbegin(); it != candidates.rend(); ++it)
    if (cellDrawn(**it)) drawnCells.push_back(*it);
}

std::vector<PickedObject> ChartView::pick(const DisplaySettings& settings, float pixelX, float pixelY) const {
  return pickObjects(drawnCells, *this, settings, pixelToChart(pixelX, pixelY, *this));
}
