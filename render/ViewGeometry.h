#pragma once
// Which part of the chart a view shows, and the arithmetic between chart
// units, painter logical units (23 per screen pixel) and widget pixels.
#include <QPoint>
#include <QPointF>

#include "ChartModel.h"
#include "MercatorProjection.h"

class QPainter;

constexpr int LOGICAL_UNITS_PER_PIXEL = 23;

constexpr float kStartViewScale = 90000.0f;

// The size of a screen pixel S-52 assumes when the screen does not tell its
// own, millimetres.
constexpr double kDefaultPixelMillimetres = 0.32;

struct ViewGeometry {
  ChartPoint centre;               // chart position at the middle of the surface
  ChartPoint origin;               // chart position of the top-left corner (derived)
  // Chart units per logical unit, always above 0: how the projection plane
  // is laid on the surface. The scale a mariner reads, the one every scale
  // rule takes, is the true scale at the centre (TrueScale.h).
  float scale = kStartViewScale;
  int viewportWidth = 0;   // logical units
  int viewportHeight = 0;
  double pixelMillimetres = kDefaultPixelMillimetres;  // the size of one pixel on the screen
};

// Start of a repaint: the painter's window becomes 23 times the widget size,
// antialiased, and the view takes that size as its viewport.
void setupPainter(QPainter& painter, int widthPx, int heightPx, ViewGeometry& view);

// Brings the centre into the middle copy of the world (x within half a
// world width of 0, WorldCopies.h) and recomputes the origin from the
// centre, scale and viewport. Every change of a view ends here, so panning
// round the world east or west goes on without end.
void updateOrigin(ViewGeometry& view);

// Chart units to logical units, truncated (y grows downwards).
QPoint toLogical(const ChartPoint& p, const ViewGeometry& view);
// The same without truncation, where symbols and texts are anchored.
QPointF toLogicalExact(const ChartPoint& p, const ViewGeometry& view);

// Whether a logical point lies on the drawing surface, its edges included
// (0 <= x <= width, 0 <= y <= height).
bool insideViewport(const QPointF& p, const ViewGeometry& view);

// Widget pixel to chart units, from the centre (the origin need not be current).
ChartPoint pixelToChart(float px, float py, const ViewGeometry& view);
GeoPoint pixelToGeo(float px, float py, const ViewGeometry& view);

// Centres the view on a position in degrees and updates the origin.
void setCentreGeo(double latitude, double longitude, ViewGeometry& view);

// A drag from press to release (widget pixels) moves the chart with the
// mouse: the chart point under the press lies under the release.
void pan(float pressX, float pressY, float releaseX, float releaseY, ViewGeometry& view);

// The scale halves / doubles, and stays a positive finite number: a step
// that would reach 0 or infinity is not taken, and a scale that is not
// positive and finite is first put back to the start value.
void zoomIn(ViewGeometry& view);
void zoomOut(ViewGeometry& view);

// Converts points to logical units, dropping each point that falls in the
// same 31.25-unit grid cell as the last kept one (the first point is always
// kept). `out` needs room for `count` points (plus 100 for later clipping).
// Returns the number of points written.
int thinToLogical(const ChartVertex* points, int count, const ViewGeometry& view, QPoint* out);
int thinToLogical(const ChartPoint* points, int count, const ViewGeometry& view, QPoint* out);
// The same over the vertices a level of detail keeps (DetailLevels.h).
int thinToLogical(const VertexPath& path, const ViewGeometry& view, QPoint* out);

// The level of detail of a cell's lines and outlines that a view at this
// scale draws: the most simplified one that stays within kDetailPixels of a
// pixel of the view (0, every vertex, when none does).
int detailLevelForView(const DetailTolerances& tolerances, const ViewGeometry& view);
