#pragma once
// Drawing one line feature in a draw pass: its visibility, the whole line
// thinned and clipped, its look-up instructions, the line procedures rerun
// when their keys say so, and the per-edge instructions those procedures
// built, each over the points of its own edge.
#include <QPoint>
#include <QPointF>
#include <string>
#include <vector>

#include "ChartModel.h"
#include "ViewGeometry.h"

class QPainter;

// Point buffers of the line portrayal, owned by the view and kept from one
// line to the next so that a draw pass allocates only for its longest line.
struct LineBuffers {
  std::vector<QPoint> line;     // the whole line, thinned and clipped
  std::vector<QPoint> part;     // one edge group, thinned and clipped
  std::vector<QPoint> scratch;  // the second buffer of the clipping passes
};

// Clipping margin of the line and of its edge groups around the viewport,
// logical units.
constexpr int LINE_MARGIN_BEFORE = 150;  // left and top
constexpr int LINE_MARGIN_AFTER = 100;   // right and bottom

// Depth contours (DEPCNT) show whenever depth contours are switched on,
// whatever the display category; other lines when the category admits them.
bool lineShown(const LineFeature& line);

// Draws the line. Nothing is drawn (and no procedure runs) when it is not
// shown, when thinning leaves fewer than two points or when nothing of it
// comes near the viewport.
void drawLineFeature(QPainter& painter, LineFeature& line, S57Cell& cell, const ViewGeometry& view,
                     LineBuffers& buffers);

// Runs the line procedure `name` when its key asks for it: SLCONS03 and
// QUAPOS01 once, OBSTRN06 when the safety contour changed, DEPCNT03 on every
// call. Any other name does nothing.
void updateLineProcedure(LineFeature& line, const S57Cell& cell, const std::string& name);

// Draws one instruction over logical points: LS and LC along them, AC only
// over a closed ring, SY, TX and TE at the line's anchor. Other kinds draw
// nothing.
void executeLineInstruction(QPainter& painter, LineFeature& line, Instruction& instruction, const QPoint* points,
                            int count, S57Cell& cell, const ViewGeometry& view);

// Where a line's symbols and texts go: the middle vertex of the whole line
// (the midpoint of a two-point line), in logical units, not truncated.
QPointF lineAnchor(const LineFeature& line, const ViewGeometry& view);
