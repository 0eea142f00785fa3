#pragma once
// A view of the chart: its geometry, the draw pass over the loaded cells,
// and the cells that pass drew. Everything a pass writes belongs to the
// view (its buffers, scratch and text boxes) or to the pass; the cells and
// the engine's library are only read, and what the engine keeps for the
// passes is locked, so two views may draw the same cells at once on two
// threads.
#include <vector>

#include "CellIndex.h"
#include "CellList.h"
#include "ChartModel.h"
#include "CoverageLimits.h"
#include "DisplaySettings.h"
#include "DrawContext.h"
#include "DrawScratch.h"
#include "ObjectPicking.h"
#include "ViewCoverage.h"
#include "ViewGeometry.h"
#include "WorldBaseMap.h"

class ChartEngine;
class QPainter;

struct ChartView : ViewGeometry {
  std::vector<S57Cell*> drawnCells;  // drawing order of the last pass
  // The cells the last pass would have drawn but found unloaded (their
  // boundaries drawn, nothing else): those to read again. Valid while the
  // snapshot the pass drew lasts (drawnSnapshot, for a pass over the
  // engine's list).
  std::vector<S57Cell*> unloadedCells;
  // The snapshot of the engine's cell list the last pass drew (null after
  // a pass over cells the caller holds): what it drew stays in memory while
  // the view may still pick from it.
  IndexedSnapshot drawnSnapshot;
  // How many times more detailed than its compilation scale the last pass
  // showed the most detailed cell it drew; 0 when it was not overscaled.
  double overscale = 0;
  // Whether a pass draws the no-data presentation where no cell drawn has
  // coverage; a maker of map tiles, which lie over other maps, leaves the
  // chart transparent there instead.
  bool showNoData = true;
  // Whether a pass makes a level of detail it needs on the spot (a program
  // that draws once: enctool, the benchmarks). The window's chart must not
  // stall a pass on it: its passes draw with the levels already made and
  // list those they wanted in wantedDetailLevels, which it has made on
  // another thread before it draws again.
  bool makeDetailLevels = true;
  std::vector<WantedDetailLevel> wantedDetailLevels;  // of the last pass

  // The draw pass over a snapshot of the engine's cell list, through its
  // index, with the engine's library, chart font and world base map:
  // brings the origin up to date, sets the chart font, chooses the cells as
  // drawCells does, draws the no-data presentation (when showNoData) and the
  // world base map (when it is shown) under them, then the cells. Where the
  // coverage of the cells drawn fills the view, the no-data presentation is
  // the plain NODTA fill and the base map is left out: nothing of them
  // would show but through a gap in the cells' data. The painter must have
  // been set up for this view (setupPainter).
  void draw(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings);
  // The same over the given cells, for a caller that holds its own list;
  // `recorder`, when given, is told of every instruction executed.
  void draw(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings,
            const std::vector<S57Cell*>& cells, InstructionRecorder* recorder = nullptr);
  // The same over an indexed list (CellList::indexedSnapshot, or one the
  // caller indexed): the cells are chosen through the index.
  void draw(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings, const CellIndex& cells,
            InstructionRecorder* recorder = nullptr);

  // Chooses the cells that meet the view, sorts them by compilation scale
  // and draws the least detailed first, each when its scale rule admits it
  // and more detailed cells drawn do not cover the whole view
  // (chooseDrawnCells in DrawnCells.h), with the overscale pattern over it
  // when the view is more than twice as detailed as the cell, the limits of
  // its data (CoverageLimits.h) and, round a cell of data that is not an
  // official ENC, its mark (NonOfficialMark.h), then its boundary (drawn or
  // not) when boundaries are shown. The texts of all cells, the cell names
  // of the boundaries included, wait until every cell is drawn and are then
  // placed against each other and the soundings (TextPlacement.h), those
  // under the coverage of a cell drawn after their own left out
  // (CoveredTexts.h); buffers.texts tells what was placed.
  // A cell is drawn in every copy of the world, 360 degrees east or west,
  // where one of its extents meets the view (WorldCopies.h).
  void drawCells(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings,
                 const std::vector<S57Cell*>& cells, InstructionRecorder* recorder = nullptr);
  void drawCells(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings, const CellIndex& cells,
                 InstructionRecorder* recorder = nullptr);

  // The cells a pass over `cells` would draw, chosen as drawCells chooses
  // them, into drawnCells without drawing anything: for a caller that picks
  // objects without a picture (enctool query).
  void chooseDrawnCells(const std::vector<S57Cell*>& cells);

  // The objects the last pass drew under a widget pixel (pickObjects over
  // drawnCells), for the settings that pass drew with.
  std::vector<PickedObject> pick(const DisplaySettings& settings, float pixelX, float pixelY) const;

  // Kept from one pass to the next so that a pass allocates nothing once
  // the buffers have grown.
  std::vector<S57Cell*> candidates;
  std::vector<std::uint32_t> candidatePositions;
  std::vector<char> candidateDrawn;
  ViewCoverage coverage;
  std::vector<DrawnCoverage> drawnCoverage;  // the coverage areas of the cells drawn
  DrawBuffers buffers;
  std::vector<int> drawnOrder;     // the place of each of drawnCells in the pass's order
  std::vector<int> coverageOrder;  // scratch of hideCoveredTexts
  // The scratch of the drawing primitives and of the world base map: the
  // view's own, as the thread that draws it.
  DrawScratch scratch;
  WorldBaseMap::Buffers baseMapBuffers;

private:
  template <typename Cells>
  void drawPass(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings, const Cells& cells,
                InstructionRecorder* recorder);
  void chooseCandidatesFrom(const std::vector<S57Cell*>& cells);
  void chooseCandidatesFrom(const CellIndex& cells);
  void drawChosenCells(QPainter& painter, ChartEngine& engine, const DisplaySettings& settings,
                       InstructionRecorder* recorder);
};
