#include "StrokeClipping.h"

#include <QPaintDevice>
#include <QPainter>
#include <cmath>

QRectF strokeClipRect(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  if (!device) return QRectF();
  bool invertible = false;
  const QTransform toLogical = painter.combinedTransform().inverted(&invertible);
  if (!invertible) return QRectF();
  const QRectF surface = toLogical.mapRect(QRectF(0, 0, device->width(), device->height()));
  return surface.adjusted(-STROKE_CLIP_MARGIN, -STROKE_CLIP_MARGIN, STROKE_CLIP_MARGIN, STROKE_CLIP_MARGIN);
}

bool clipSegmentRange(const QPointF& a, const QPointF& b, const QRectF& rect, double& t0, double& t1) {
  if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y())) return false;
  // Liang-Barsky: each side of the rectangle narrows the range of t.
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - rect.left(), rect.right() - a.x(), a.y() - rect.top(), rect.bottom() - a.y()};
  t0 = 0;
  t1 = 1;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;  // parallel to this side and outside it
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  return true;
}
