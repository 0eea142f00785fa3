#include "Primitives.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <climits>
#include <cmath>

#include "ColourPens.h"
#include "DrawScratch.h"
#include "StrokeClipping.h"
#include "ViewGeometry.h"

namespace {
QPoint truncated(const QPointF& p) { return QPoint(truncateCoordinate(p.x()), truncateCoordinate(p.y())); }
}  // namespace

int truncateCoordinate(double value) {
  if (!(value > INT_MIN)) return value != value ? 0 : INT_MIN;
  if (!(value < INT_MAX)) return INT_MAX;
  return static_cast<int>(value);
}

void strokeSegment(QPainter& painter, const QPointF& a, const QPointF& b) {
  painter.drawLine(truncated(a), truncated(b));
}

namespace {
// Pieces of `on` separated by gaps of `off` from a towards b, as many whole
// periods as fit, then one piece to b when anything is left; with
// `capLast`, that piece is no longer than `on` (a dot stays a dot).
// Only the periods that meet the visible surface are drawn, each where the
// pattern started at a puts it, so a segment costs what shows of it.
void strokePatternSegment(QPainter& painter, const QPointF& a, const QPointF& b, int on, int off, bool capLast) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double length = std::hypot(dx, dy);
  if (!(length > 0) || !std::isfinite(length)) return;
  double t0 = 0, t1 = 1;
  if (!clipSegmentRange(a, b, strokeClipRect(painter), t0, t1)) return;
  const double period = on + off;
  const double periods = std::floor(length / period);
  const double from = t0 * length, to = t1 * length;
  const double first = std::min(periods, std::floor(from / period));
  const double end = std::min(periods, std::floor(to / period) + 1);  // one past the last period met
  const double ux = dx / length, uy = dy / length;
  double x = a.x(), y = a.y();
  if (first > 0) x += first * period * ux, y += first * period * uy;
  for (double i = first; i < end; ++i) {
    const double ex = x + on * ux, ey = y + on * uy;
    painter.drawLine(truncated(QPointF(x, y)), truncated(QPointF(ex, ey)));
    x = ex + off * ux;
    y = ey + off * uy;
  }
  // The rest after the whole periods, when the visible part reaches it.
  if (to < periods * period) return;
  const double doneX = x - a.x(), doneY = y - a.y();
  const double left = length - std::sqrt(doneX * doneX + doneY * doneY);
  if (!(left > 0)) return;
  const QPointF last = capLast && left > on ? QPointF(x + on * ux, y + on * uy) : b;
  painter.drawLine(truncated(QPointF(x, y)), truncated(last));
}
}  // namespace

void strokeDashedSegment(QPainter& painter, const QPointF& a, const QPointF& b) {
  strokePatternSegment(painter, a, b, DASH_LENGTH, DASH_GAP, false);
}

void strokeDottedSegment(QPainter& painter, const QPointF& a, const QPointF& b) {
  strokePatternSegment(painter, a, b, DOT_LENGTH, DOT_GAP, true);
}

bool strokeStyledSegment(QPainter& painter, const QPointF& a, const QPointF& b, LineDash dash) {
  switch (dash) {
    case LineDash::Solid: strokeSegment(painter, a, b); return true;
    case LineDash::Dashed: strokeDashedSegment(painter, a, b); return true;
    case LineDash::Dotted: strokeDottedSegment(painter, a, b); return true;
    case LineDash::Unknown: break;
  }
  return false;
}

const QPainterPath& ringsPath(QPainterPath& path, const QPoint* points, int count, const Rings& holes,
                              int divisor) {
  path.clear();
  path.setFillRule(Qt::OddEvenFill);
  auto addRing = [&](const QPoint* ring, int size) {
    if (size <= 0) return;
    path.moveTo(ring[0].x() / divisor, ring[0].y() / divisor);
    for (int i = 1; i < size; ++i) path.lineTo(ring[i].x() / divisor, ring[i].y() / divisor);
    path.closeSubpath();
  };
  addRing(points, count);
  for (const LogicalRing ring : holes) addRing(ring.points, ring.size);
  return path;
}

void fillArea(const Canvas& canvas, const QPoint* points, int count, int index, const Rings& holes) {
  if (count <= 0) return;
  QPainter& painter = canvas.painter;
  painter.setBrush(solidBrush(canvas, index));
  painter.setPen(Qt::NoPen);
  if (holes.count > 0) {
    const QPainterPath& path = ringsPath(canvas.scratch.rings, points, count, holes);
    painter.drawPath(path);
    painter.drawPath(path);
    return;
  }
  // An odd-even polygon fill covers the pixels of a path built from the
  // points, without building the path.
  painter.drawPolygon(points, count, Qt::OddEvenFill);
  painter.drawConvexPolygon(points, count);
}

void fillAreaTransparent(const Canvas& canvas, const QPoint* points, int count, int index, int transparency,
                         const Rings& holes) {
  if (count <= 0) return;
  QPainter& painter = canvas.painter;
  QColor colour = colourOf(canvas.colours, index);
  colour.setAlpha(std::clamp(252 - 63 * transparency, 0, 255));
  painter.setBrush(QBrush(colour));
  painter.setPen(Qt::NoPen);
  if (holes.count > 0) {
    painter.drawPath(ringsPath(canvas.scratch.rings, points, count, holes));
  } else {
    painter.drawConvexPolygon(points, count);
  }
}

void drawArc(const Canvas& canvas, int index, int width, bool dashed, const QPointF& centre, float radius,
             int start, int span) {
  QPen pen = makePen(colourOf(canvas.colours, index), width);
  if (dashed) pen.setStyle(Qt::DashLine);
  canvas.painter.setPen(pen);
  const double half = 88.0 * radius;
  canvas.painter.drawArc(QRectF(centre.x() - half, centre.y() - half, 2 * half, 2 * half), start, span);
}

void drawRectangle(QPainter& painter, int x, int y, int width, int height) {
  painter.drawRect(x, y, width, height);
}

void drawLabel(QPainter& painter, const QPoint& point, const std::string& text) {
  const int width = 220 * static_cast<int>(text.size());
  painter.drawText(QRect(point.x(), point.y(), width, 300), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                   QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

bool isClosedRing(const QPoint* points, int count) {
  if (count <= 2) return false;
  const QPoint& first = points[0];
  const QPoint& last = points[count - 1];
  return first.x() / LOGICAL_UNITS_PER_PIXEL == last.x() / LOGICAL_UNITS_PER_PIXEL &&
         first.y() / LOGICAL_UNITS_PER_PIXEL == last.y() / LOGICAL_UNITS_PER_PIXEL;
}
