#include "Primitives.h"

#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>

#include "ColourPens.h"
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
  const double length = std::sqrt(dx * dx + dy * dy);
  if (!(length > 0)) return;
  const double ux = dx / length, uy = dy / length;
  double x = a.x(), y = a.y();
  const int periods = truncateCoordinate(length / (DASH_LENGTH + DASH_GAP));
  for (int i = 0; i < periods; ++i) {
    const double ex = x + DASH_LENGTH * ux, ey = y + DASH_LENGTH * uy;
    painter.drawLine(truncated(QPointF(x, y)), truncated(QPointF(ex, ey)));
    x = ex + DASH_GAP * ux;
    y = ey + DASH_GAP * uy;
  }
  const double doneX = x - a.x(), doneY = y - a.y();
  if (length * length > doneX * doneX + doneY * doneY) painter.drawLine(truncated(QPointF(x, y)), truncated(b));
}

void fillArea(const Canvas& canvas, const QPoint* points, int count, int index) {
  if (count <= 0) return;
  QPainter& painter = canvas.painter;
  painter.setBrush(solidBrush(canvas.colours, index));
  painter.setPen(Qt::NoPen);
  // An odd-even polygon fill covers the pixels of a path built from the
  // points, without building the path.
  painter.drawPolygon(points, count, Qt::OddEvenFill);
  painter.drawConvexPolygon(points, count);
}

void fillAreaTransparent(const Canvas& canvas, const QPoint* points, int count, int index, int transparency) {
  if (count <= 0) return;
  QPainter& painter = canvas.painter;
  QColor colour = colourOf(canvas.colours, index);
  colour.setAlpha(std::clamp(252 - 63 * transparency, 0, 255));
  painter.setBrush(QBrush(colour));
  painter.setPen(Qt::NoPen);
  painter.drawConvexPolygon(points, count);
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
