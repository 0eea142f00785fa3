#include "CellBoundary.h"

#include <QPainter>

#include "Primitives.h"

void drawCellBoundary(QPainter& painter, const S57Cell& cell, const ViewGeometry& view) {
  painter.setPen(QPen(QBrush(QColor(0, 0, 255)), 30));
  painter.setBrush(Qt::NoBrush);
  const ChartBox& box = cell.boundingBox;
  const double scale = view.scale;
  const int left = truncateCoordinate((box.minX - view.origin.x) / scale);
  const int top = truncateCoordinate((view.origin.y - box.maxY) / scale);
  const int right = truncateCoordinate((box.maxX - view.origin.x) / scale);
  const int bottom = truncateCoordinate((view.origin.y - box.minY) / scale);
  drawRectangle(painter, left, top, right - left, bottom - top);
  drawLabel(painter, QPoint(left + 100, top + 100), cell.name);
}
