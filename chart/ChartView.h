#pragma once
// A view of the chart: its geometry, the draw pass over the loaded cells,
// and the cells that pass drew. Everything a pass writes belongs to the
// view (its buffers and text boxes) or to the pass; the cells are only
// read, so two views may draw the same cells at once on two threads.
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "DrawContext.h"
#include "ObjectPicking.h"
#include "ViewGeometry.h"

class QPainter;

struct ChartView : ViewGeometry {
  std::vector<S57Cell*> drawnCells;  // drawing order of the last pass

  // The draw pass over a snapshot of the process-wide cell list: brings the
  // origin up to date, sets the chart font, draws the world base map when
  // it is shown, then drawCells. The painter
  // must have been set up for this view (setupPainter).
  void draw(QPainter& painter, const DisplaySettings& settings);
  // The same over the given cells, for a caller that holds its own list;
  // `recorder`, when given, is told of every instruction executed.
  void draw(QPainter& painter, const DisplaySettings& settings, const std::vector<S57Cell*>& cells,
            InstructionRecorder* recorder = nullptr);

  // Chooses the cells that meet the view, sorts them by compilation scale
  // and draws the least detailed first, each when its scale rule admits it,
  // then its boundary (drawn or not) when boundaries are shown, the names
  // decluttered among themselves. A cell is drawn in every copy of the
  // world, 360 degrees east or west, where one of its extents meets the
  // view (WorldCopies.h).
  void drawCells(QPainter& painter, const DisplaySettings& settings, const std::vector<S57Cell*>& cells,
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
  DrawBuffers buffers;
  TextBoxList cellNameBoxes;  // the cell names placed in the pass

private:
  // Whether a candidate is drawn at the view's scale: the rule of drawCells.
  bool cellDrawn(const S57Cell& cell) const;
};

// The view that background loading centres on each loaded cell. The main
// window owns its own view.
ChartView& loadingChartView();
