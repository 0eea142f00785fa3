#pragma once
// A view of the chart: its geometry, the draw pass over the loaded cells,
// and the cells that pass drew. Everything a pass writes belongs to the
// view (its buffers and text boxes) or to the pass; the cells are only
// read, so two views may draw the same cells at once on two threads.
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "DrawContext.h"
#include "ViewGeometry.h"

class QPainter;

struct ChartView : ViewGeometry {
  std::vector<S57Cell*> drawnCells;  // drawing order of the last pass
  // How many times more detailed than its compilation scale the last pass
  // showed the most detailed cell it drew; 0 when it was not overscaled.
  double overscale = 0;

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
  // and draws the least detailed first, each when its scale rule admits it
  // (with the overscale pattern over it when the view is more than twice as
  // detailed as the cell), then its boundary (drawn or not) when boundaries
  // are shown, the names decluttered among themselves.
  void drawCells(QPainter& painter, const DisplaySettings& settings, const std::vector<S57Cell*>& cells,
                 InstructionRecorder* recorder = nullptr);

  // The point features within 50000000 chart units (in x and in y) of a
  // widget pixel, from the first cell of the last pass that has any.
  std::vector<PointFeature*> pickPoints(float pixelX, float pixelY) const;

  // Kept from one pass to the next so that a pass allocates nothing once
  // the buffers have grown.
  std::vector<S57Cell*> candidates;
  DrawBuffers buffers;
  TextBoxList cellNameBoxes;  // the cell names placed in the pass
};

// The view that background loading centres on each loaded cell. The main
// window owns its own view.
ChartView& loadingChartView();
