#pragma once
// An area's exterior outline in painter logical units, clipped to a margin
// around the viewport. Each vertex keeps the usage mark of the edge it came
// from, so boundary pieces along a data limit (usage 3) can be left out.
// The rings of its holes come along, clipped the same way, for the fills.
#include <QPoint>
#include <cstdint>
#include <vector>

#include "ChartModel.h"
#include "Primitives.h"
#include "ViewGeometry.h"

struct AreaOutline {
  std::vector<QPoint> points;
  std::vector<std::uint8_t> usage;
  // The holes: their points one ring after the other, and each ring's size.
  std::vector<QPoint> holePoints;
  std::vector<int> holeSizes;

  int size() const { return static_cast<int>(points.size()); }
  // The holes as the fills take them.
  Rings holes() const {
    return Rings{holePoints.data(), holeSizes.data(), static_cast<int>(holeSizes.size())};
  }
  void clear() {
    points.clear();
    usage.clear();
    holePoints.clear();
    holeSizes.clear();
  }
  void add(const QPoint& p, std::uint8_t mark) {
    points.push_back(p);
    usage.push_back(mark);
  }
};

// Two outlines used in turn by the clipping stages, and two more for the
// rings of holes; they keep their capacity, so a draw pass allocates only
// for its largest outline.
struct AreaOutlineBuffers {
  AreaOutline first, second;
  AreaOutline ring, ringSpare;
};

// Outlines of this many vertices or more are drawn unclipped.
constexpr int UNCLIPPED_OUTLINE_VERTICES = 50001;

// Clipping margin around the viewport, logical units.
constexpr int OUTLINE_MARGIN_BEFORE = 150;  // left and top
constexpr int OUTLINE_MARGIN_AFTER = 100;   // right and bottom

// Projects the exterior vertices with toLogical and clips the polygon to
// x -150 ... width + 100, y -150 ... height + 100, one edge after the other
// (an intersection takes the mark of the vertex being processed). Each ring
// of the area's holes is projected and clipped the same way into the
// outline's holes; a ring that clipping empties is left out. Returns the outline, held in one of
// the buffers, or null when a stage leaves fewer than two vertices of the
// exterior. `level` is the level of detail of the area's cell the view
// draws (detailLevelForView): the exterior and the holes keep the vertices
// it keeps; null takes every vertex.
const AreaOutline* projectOutline(const AreaFeature& area, const ViewGeometry& view, AreaOutlineBuffers& buffers,
                                  const DetailLevel* level = nullptr);

// One clipping stage of the closed polygon `in` against a bound; `testX`
// bounds compare x, the others y, and inside lies at or above `value` when
// `keepGreater`, at or below it otherwise.
void clipOutlineStage(const AreaOutline& in, bool testX, int value, bool keepGreater, AreaOutline& out);
