#pragma once
// A polyline of chart vertices brought to the canvas: thinned and clipped to
// a margin around the viewport.
#include <QPoint>
#include <vector>

#include "ChartModel.h"
#include "ViewGeometry.h"

// Clipping margin of lines, their edge groups and area edges around the
// viewport, logical units.
constexpr int LINE_MARGIN_BEFORE = 150;  // left and top
constexpr int LINE_MARGIN_AFTER = 100;   // right and bottom

// Thins `count` chart vertices into `out` (room for the count plus 100, as
// clipping may add points) and clips them to the margin around the
// viewport. Returns the number of points left: 0 when fewer than two
// survive either step.
//
// Edge groups are clipped to the margin too, not to the viewport itself:
// where a clipped polyline leaves and re-enters, the clipping joins the two
// crossings along the bound, and on the viewport's own edge that join would
// show as a stroke along the border of the picture.
int projectPolyline(const ChartVertex* vertices, int count, const ViewGeometry& view, std::vector<QPoint>& out,
                    std::vector<QPoint>& scratch);
// The same over the vertices a level of detail keeps (DetailLevels.h); a
// path that thins to a single point is taken whole, as a line drawn whole
// may keep two points where its simplified path keeps one.
int projectPolyline(const VertexPath& path, const ViewGeometry& view, std::vector<QPoint>& out,
                    std::vector<QPoint>& scratch);
