#pragma once
// A view of the chart: its geometry, the draw pass over the loaded cells,
// and the cells that pass drew.
#include <vector>

#include "AreaOutline.h"
#include "ChartModel.h"
#include "LinePortrayal.h"
#include "ViewGeometry.h"

class QPainter;

struct ChartView : ViewGeometry {
  std::vector<S57Cell*> drawnCells;  // drawing order of the last pass

  // The draw pass over a snapshot of the process-wide cell list: brings the
  // origin up to date, sets the chart font, draws the world base map when
  // it is shown, then drawCells. The painter
  // must have been set up for this view (setupPainter).
  void draw(QPainter& painter);
  // The same over the given cells, for a caller that holds its own list.
  void draw(QPainter& painter, const std::vector<S57Cell*>& cells);

  // Chooses the cells that meet the view, sorts them by compilation scale
  // and draws the least detailed first, each when its scale rule admits it,
  // then its boundary (drawn or not) when boundaries are shown, the names
  // decluttered among themselves.
  void drawCells(QPainter& painter);
  void drawCells(QPainter& painter, const std::vector<S57Cell*>& cells);

  // One cell: its text boxes emptied, then its areas and lines within their
  // scale range; up to scale 500000 its points within their scale range too,
  // and below 500000 its soundings when soundings are shown.
  void drawCell(QPainter& painter, S57Cell& cell);

  // The point features within 50000000 chart units (in x and in y) of a
  // widget pixel, from the first cell of the last pass that has any.
  std::vector<PointFeature*> pickPoints(float pixelX, float pixelY) const;

  // Kept from one pass to the next so that a pass allocates nothing once
  // the buffers have grown.
  std::vector<S57Cell*> candidates;
  TextBoxList cellNameBoxes;  // the cell names placed in the pass
  AreaOutlineBuffers outlineBuffers;
  LineBuffers lineBuffers;
};

// The view that background loading centres on each loaded cell. The main
// window owns its own view.
ChartView& loadingChartView();
