#pragma once
// An area's exterior outline in painter logical units, clipped to a margin
// around the viewport. Each vertex keeps the usage mark of the edge it came
// from, so boundary pieces along a data limit (usage 3) can be left out.
#include <QPoint>
#include <cstdint>
#include <vector>

#include "ChartModel.h"
#include "ViewGeometry.h"

struct AreaOutline {
  std::vector<QPoint> points;
  std::vector<std::uint8_t> usage;

  int size() const { return static_cast<int>(points.size()); }
  void clear() {
    points.clear();
    usage.clear();
  }
  void add(const QPoint& p, std::uint8_t mark) {
    points.push_back(p);
    usage.push_back(mark);
  }
};

// Two outlines used in turn by the clipping stages; they keep their
// capacity, so a draw pass allocates only for its largest outline.
struct AreaOutlineBuffers {
  AreaOutline first, second;
};

// Outlines of this many vertices or more are drawn unclipped.
constexpr int UNCLIPPED_OUTLINE_VERTICES = 50001;

// Clipping margin around the viewport, logical units.
constexpr int OUTLINE_MARGIN_BEFORE = 150;  // left and top
constexpr int OUTLINE_MARGIN_AFTER = 100;   // right and bottom

// Projects the exterior vertices with toLogical and clips the polygon to
// x -150 ... width + 100, y -150 ... height + 100, one edge after the other
// (an intersection takes the mark of the vertex being processed). Returns
// the outline, held in one of the buffers, or null when a stage leaves
// fewer than two vertices.
const AreaOutline* projectOutline(const AreaFeature& area, const ViewGeometry& view, AreaOutlineBuffers& buffers);

// One clipping stage of the closed polygon `in` against a bound; `testX`
// bounds compare x, the others y, and inside lies at or above `value` when
// `keepGreater`, at or below it otherwise.
void clipOutlineStage(const AreaOutline& in, bool testX, int value, bool keepGreater, AreaOutline& out);
