#include "ViewGeometry.h"

#include <QPainter>
#include <climits>
#include <cmath>

#include "WorldCopies.h"

namespace {
// Truncation towards zero that saturates instead of overflowing, for points
// far outside the view.
int truncToInt(double v) {
  if (!(v > INT_MIN)) return v != v ? 0 : INT_MIN;
  if (!(v < INT_MAX)) return INT_MAX;
  return static_cast<int>(v);
}

// trunc(pixel x 23), the product formed in single precision.
int pixelToLogical(float px) { return truncToInt(px * static_cast<float>(LOGICAL_UNITS_PER_PIXEL)); }

// The logical point of a chart point (toLogical), inline for the loops
// over every vertex of a line.
inline QPoint logicalOf(const ChartPoint& p, const ViewGeometry& view) {
  const double scale = view.scale;
  return QPoint(truncToInt((p.x - view.origin.x) / scale), truncToInt((view.origin.y - p.y) / scale));
}

// The cell of the thinning's grid a logical coordinate falls in.
inline int gridCell(int logical) { return static_cast<int>(logical * 0.032); }

// A point is kept unless it falls in the grid cell of the last point kept.
template <typename PointOf>
int thin(int count, const ViewGeometry& view, QPoint* out, PointOf pointAt) {
  int kept = 0;
  int lastX = 0, lastY = 0;
  for (int i = 0; i < count; ++i) {
    const QPoint p = logicalOf(pointAt(i), view);
    const int x = gridCell(p.x()), y = gridCell(p.y());
    if (kept > 0 && x == lastX && y == lastY) continue;
    out[kept++] = p;
    lastX = x;
    lastY = y;
  }
  return kept;
}
}  // namespace

void setupPainter(QPainter& painter, int widthPx, int heightPx, ViewGeometry& view) {
  const float units = static_cast<float>(LOGICAL_UNITS_PER_PIXEL);
  view.viewportWidth = static_cast<int>(static_cast<float>(widthPx) * units);
  view.viewportHeight = static_cast<int>(static_cast<float>(heightPx) * units);
  painter.setWindow(0, 0, view.viewportWidth, view.viewportHeight);
  painter.setRenderHint(QPainter::Antialiasing, true);
}

void updateOrigin(ViewGeometry& view) {
  view.centre.x = wrappedX(view.centre.x);
  const double scale = view.scale;
  view.origin.x = view.centre.x - view.viewportWidth * scale * 0.5;
  view.origin.y = view.centre.y + view.viewportHeight * scale * 0.5;
}

QPoint toLogical(const ChartPoint& p, const ViewGeometry& view) { return logicalOf(p, view); }

QPointF toLogicalExact(const ChartPoint& p, const ViewGeometry& view) {
  const double scale = view.scale;
  return QPointF((p.x - view.origin.x) / scale, (view.origin.y - p.y) / scale);
}

bool insideViewport(const QPointF& p, const ViewGeometry& view) {
  return p.x() >= 0 && p.x() <= view.viewportWidth && p.y() >= 0 && p.y() <= view.viewportHeight;
}

ChartPoint pixelToChart(float px, float py, const ViewGeometry& view) {
  const double scale = view.scale;
  return {view.centre.x - static_cast<double>(view.viewportWidth / 2 - pixelToLogical(px)) * scale,
          view.centre.y + static_cast<double>(view.viewportHeight / 2 - pixelToLogical(py)) * scale};
}

GeoPoint pixelToGeo(float px, float py, const ViewGeometry& view) {
  return chartToGeo(pixelToChart(px, py, view));
}

void setCentreGeo(double latitude, double longitude, ViewGeometry& view) {
  view.centre = geoToChart(GeoPoint{latitude, longitude});
  updateOrigin(view);
}

void pan(float pressX, float pressY, float releaseX, float releaseY, ViewGeometry& view) {
  const double scale = view.scale;
  view.centre.x += static_cast<double>(pixelToLogical(pressX) - pixelToLogical(releaseX)) * scale;
  view.centre.y -= static_cast<double>(pixelToLogical(pressY) - pixelToLogical(releaseY)) * scale;
}

namespace {
void zoomBy(ViewGeometry& view, float factor) {
  if (!(view.scale > 0) || !std::isfinite(view.scale)) view.scale = kStartViewScale;
  const float next = view.scale * factor;
  if (next > 0 && std::isfinite(next)) view.scale = next;
}
}  // namespace

void zoomIn(ViewGeometry& view) { zoomBy(view, 0.5f); }
void zoomOut(ViewGeometry& view) { zoomBy(view, 2.0f); }

int thinToLogical(const ChartVertex* points, int count, const ViewGeometry& view, QPoint* out) {
  return thin(count, view, out, [points](int i) -> const ChartPoint& { return points[i].point; });
}

int thinToLogical(const ChartPoint* points, int count, const ViewGeometry& view, QPoint* out) {
  return thin(count, view, out, [points](int i) -> const ChartPoint& { return points[i]; });
}

int thinToLogical(const VertexPath& path, const ViewGeometry& view, QPoint* out) {
  return thin(static_cast<int>(path.size()), view, out,
              [&path](int i) -> const ChartPoint& { return path[static_cast<std::uint32_t>(i)].point; });
}

int detailLevelForView(const DetailTolerances& tolerances, const ViewGeometry& view) {
  return detailLevelFor(tolerances, kDetailPixels * LOGICAL_UNITS_PER_PIXEL * static_cast<double>(view.scale));
}
