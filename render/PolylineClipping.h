#pragma once
// Clipping of an open polyline (a line feature or a sub-line of a line
// procedure) to a rectangle of logical coordinates.
#include <QPoint>
#include <vector>

// Clips `points` in four passes: x >= left, x <= right, y >= top, y <= bottom.
// Within a pass the first point is kept when it lies on the bound or inside;
// a later point counts as inside only strictly inside. Leaving the region
// emits the crossing point, re-entering emits the crossing and the point, so
// where the line runs outside a piece along the bound joins the crossings.
// The result replaces `points`; `scratch` is the second buffer of the
// passes. Returns the new count, or 0 (and empties `points`) when a pass
// leaves one point or none. The buffers grow as needed and keep their
// capacity from one call to the next.
int clipPolyline(std::vector<QPoint>& points, int left, int right, int top, int bottom,
                 std::vector<QPoint>& scratch);
