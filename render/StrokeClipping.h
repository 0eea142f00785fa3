#pragma once
// Clipping a stroke to what the painter can show before it is cut into
// dashes or repeated symbols, so that drawing a segment costs in proportion
// to its visible part, however far its ends lie outside the view.
#include <QPointF>
#include <QRectF>

class QPainter;

// Room kept around the visible surface, logical units: a dash or a symbol
// that starts outside it cannot reach into the picture.
constexpr double STROKE_CLIP_MARGIN = 1000.0;

// The painter's device surface in logical units (through the painter's
// window, viewport and world transform), grown by STROKE_CLIP_MARGIN on
// every side.
QRectF strokeClipRect(const QPainter& painter);

// The part of the segment from a to b that lies in `rect`, as the parameter
// range [t0, t1] within [0, 1] (a + t (b - a)). False when the segment
// misses the rectangle, or when an end is not a finite point.
bool clipSegmentRange(const QPointF& a, const QPointF& b, const QRectF& rect, double& t0, double& t1);
