#include "ChartView.h"

#include <QPainter>

#include "CellBoundary.h"
#include "CellChoice.h"
#include "CellDrawer.h"
#include "CellList.h"
#include "ChartEngine.h"
#include "CoverageLimits.h"
#include "CoveredTexts.h"
#include "DrawnCells.h"
#include "NoDataBackground.h"
#include "NonOfficialMark.h"
#include "OfficialData.h"
#include "Overscale.h"
#include "OverscalePattern.h"
#include "TrueScale.h"
#include "WorldBaseMap.h"
#include "WorldCopies.h"

namespace {
// Whether one of the cell's extent boxes meets the view in copy k.
bool copyMeetsView(const S57Cell& cell, int k, const ChartBox& view) {
  for (const ChartBox& box : cell.extents) {
    const WorldCopies copies = worldCopiesMeeting(box, view);
    if (copies.first <= k && k <= copies.last) return true;
  }
  return false;
}
}  // namespace

void ChartView::draw(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings) {
  IndexedSnapshot cells = engine.cells().indexedSnapshot();
  draw(painter, engine, settings, *cells);
  drawnSnapshot = std::move(cells);
}

void ChartView::draw(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings,
                     const std::vector<S57Cell*>& cells, InstructionRecorder* recorder) {
  drawPass(painter, engine, settings, cells, recorder);
}

void ChartView::draw(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings,
                     const CellIndex& cells, InstructionRecorder* recorder) {
  drawPass(painter, engine, settings, cells, recorder);
}

template <typename Cells>
void ChartView::drawPass(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings,
                         const Cells& cells, InstructionRecorder* recorder) {
  drawnSnapshot.reset();
  updateOrigin(*this);
  engine.chartFont().setUp(painter);
  chooseCandidatesFrom(cells);
  const bool covered = ::chooseDrawnCells(candidates, *this, coverage, candidateDrawn);
  // Under cells whose coverage fills the view nothing of the background
  // shows but where their data has a gap: there the plain NODTA fill is
  // enough, and costs a single fill.
  const Canvas canvas{painter, *settings.colourTable, engine.drawings(), scratch};
  if (showNoData) drawNoDataBackground(canvas, *this, covered ? NoDataFill::Plain : NoDataFill::Patterned);
  if (!covered && settings.showWorldBaseMap) engine.worldBaseMap().draw(canvas, *this, baseMapBuffers);
  drawChosenCells(painter, engine, settings, recorder);
}

void ChartView::chooseCandidatesFrom(const std::vector<S57Cell*>& cells) { chooseCandidates(cells, *this, candidates); }

void ChartView::chooseCandidatesFrom(const CellIndex& cells) {
  chooseCandidates(cells, *this, candidatePositions, candidates);
}

void ChartView::drawCells(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings,
                          const std::vector<S57Cell*>& cells, InstructionRecorder* recorder) {
  chooseCandidatesFrom(cells);
  ::chooseDrawnCells(candidates, *this, coverage, candidateDrawn);
  drawChosenCells(painter, engine, settings, recorder);
}

void ChartView::drawCells(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings,
                          const CellIndex& cells, InstructionRecorder* recorder) {
  chooseCandidatesFrom(cells);
  ::chooseDrawnCells(candidates, *this, coverage, candidateDrawn);
  drawChosenCells(painter, engine, settings, recorder);
}

void ChartView::drawChosenCells(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings,
                                InstructionRecorder* recorder) {
  drawnCells.clear();
  drawnOrder.clear();
  unloadedCells.clear();
  wantedDetailLevels.clear();
  overscale = 0;
  TextPlacement& texts = buffers.texts;
  texts.clear();
  // An unloaded cell the scale rules admit has nothing to draw, no coverage
  // to hide another: it is to be read again, and the cells under it show
  // meanwhile.
  for (size_t i = candidates.size(); i-- > 0;) {
    if (!candidateDrawn[i] || !candidates[i]->unloaded) continue;
    candidateDrawn[i] = 0;
    unloadedCells.push_back(candidates[i]);
  }
  // Known before any is drawn: each cell's limits depend on the others.
  for (size_t i = candidates.size(); i-- > 0;) {
    if (!candidateDrawn[i]) continue;
    drawnCells.push_back(candidates[i]);
    drawnOrder.push_back(static_cast<int>(candidates.size() - 1 - i));
  }
  collectDrawnCoverage(drawnCells, drawnCoverage);
  const Canvas canvas{painter, *settings.colourTable, engine.drawings(), scratch};
  const ChartBox shown = viewBox(*this);
  const float viewScale = static_cast<float>(trueScale(*this));
  for (size_t i = candidates.size(); i-- > 0;) {
    S57Cell& cell = *candidates[i];
    const bool drawn = candidateDrawn[i];
    const int order = static_cast<int>(candidates.size() - 1 - i);
    // The cell in each copy of the world that meets the view: a view across
    // the 180th meridian shows cells of both sides.
    const WorldCopies copies = worldCopiesMeeting(cell.boundingBox, shown);
    for (int k = copies.first; k <= copies.last; ++k) {
      if (!copyMeetsView(cell, k, shown)) continue;
      const ViewGeometry copyView = viewOfWorldCopy(*this, k);
      if (drawn) {
        DrawContext dc{canvas, settings, copyView, buffers, recorder};
        dc.texts = &texts;
        dc.cellOrder = order;
        if (!makeDetailLevels) dc.wantedLevels = &wantedDetailLevels;
        drawCell(dc, cell);
        // Over the cell's own features, under the more detailed cells drawn next.
        if (overscalePatternShown(cell, viewScale)) drawOverscalePattern(dc, cell);
        // Data that is not official ENC data is marked along its coverage
        // instead of the limit of the data, and over the scale boundaries.
        drawCoverageLimits(dc, cell, drawnCoverage);
        if (!isOfficialData(cell)) drawNonOfficialMark(dc, cell);
      }
      if (settings.showCellBoundaries) drawCellBoundary(painter, cell, copyView, &texts, order, drawn);
    }
  }
  // The texts of every cell, placed against each other and the soundings.
  hideCoveredTexts(texts, drawnCoverage, drawnCells, drawnOrder, coverageOrder);
  texts.placeAndDraw(canvas, recorder);
  // The most detailed cell drawn is the last one.
  if (!drawnCells.empty()) {
    const double factor = overscaleFactor(*drawnCells.back(), viewScale);
    if (factor > 1) overscale = factor;
  }
}

void ChartView::chooseDrawnCells(const std::vector<S57Cell*>& cells) {
  updateOrigin(*this);
  drawnCells.clear();
  chooseCandidates(cells, *this, candidates);
  ::chooseDrawnCells(candidates, *this, coverage, candidateDrawn);
  for (size_t i = candidates.size(); i-- > 0;)
    if (candidateDrawn[i]) drawnCells.push_back(candidates[i]);
}

std::vector<PickedObject> ChartView::pick(const DisplaySettings& settings, float pixelX, float pixelY) const {
  return pickObjects(drawnCells, *this, settings, pixelToChart(pixelX, pixelY, *this));
}
