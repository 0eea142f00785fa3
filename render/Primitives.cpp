#include "Primitives.h"

#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>

#include "ColourPens.h"
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

void strokeDashedSegment(QPainter& painter, const QPointF& a, const QPointF& b) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double length = std::hypot(dx, dy);
  if (!(length > 0) || !std::isfinite(length)) return;
  // Only the periods that meet the visible surface are drawn, each where
  // the pattern started at a puts it.
  double t0 = 0, t1 = 1;
  if (!clipSegmentRange(a, b, strokeClipRect(painter), t0, t1)) return;
  constexpr double period = DASH_LENGTH + DASH_GAP;
  const double periods = std::floor(length / period);
  const double from = t0 * length, to = t1 * length;
  const double first = std::min(periods, std::floor(from / period));
  const double end = std::min(periods, std::floor(to / period) + 1);  // one past the last period met
  const double ux = dx / length, uy = dy / length;
  double x = a.x(), y = a.y();
  if (first > 0) x += first * period * ux, y += first * period * uy;
  for (double i = first; i < end; ++i) {
    const double ex = x + DASH_LENGTH * ux, ey = y + DASH_LENGTH * uy;
    painter.drawLine(truncated(QPointF(x, y)), truncated(QPointF(ex, ey)));
    x = ex + DASH_GAP * ux;
    y = ey + DASH_GAP * uy;
  }
  // The rest after the whole periods, when the visible part reaches it.
  if (to < periods * period) return;
  const double doneX = x - a.x(), doneY = y - a.y();
  if (length * length > doneX * doneX + doneY * doneY) painter.drawLine(truncated(QPointF(x, y)), truncated(b));
}

void fillArea(QPainter& painter, const QPoint* points, int count, int index) {
  if (count <= 0) return;
  painter.setBrush(solidBrush(index));
  painter.setPen(Qt::NoPen);
  // An odd-even polygon fill covers the pixels of a path built from the
  // points, without building the path.
  painter.drawPolygon(points, count, Qt::OddEvenFill);
  painter.drawConvexPolygon(points, count);
}

void fillAreaTransparent(QPainter& painter, const QPoint* points, int count, int index, int transparency) {
  if (count <= 0) return;
  QColor colour = colourOf(index);
  colour.setAlpha(std::clamp(252 - 63 * transparency, 0, 255));
  painter.setBrush(QBrush(colour));
  painter.setPen(Qt::NoPen);
  painter.drawConvexPolygon(points, count);
}

void drawArc(QPainter& painter, int index, int width, bool dashed, const QPointF& centre, float radius,
             int start, int span) {
  QPen pen = makePen(colourOf(index), width);
  if (dashed) pen.setStyle(Qt::DashLine);
  painter.setPen(pen);
  const double half = 88.0 * radius;
  painter.drawArc(QRectF(centre.x() - half, centre.y() - half, 2 * half, 2 * half), start, span);
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
