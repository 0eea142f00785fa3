#include "CellBoundary.h"

#include <QPainter>
#include <algorithm>

#include "Primitives.h"
#include "TextDrawing.h"

namespace {
// Far outside any view, yet the width between two such edges, and the
// label's offset from one, still fit an int.
constexpr double kFarEdge = 1e9;

int edge(double logical) { return truncateCoordinate(std::clamp(logical, -kFarEdge, kFarEdge)); }

// How far outside the view an edge lies unseen: more than half the pen and
// a pixel of antialiasing.
constexpr int kUnseen = 100;

// Strokes the frame with each edge that lies beyond the view moved in to
// just outside it, so the stroke costs what shows of it: the frame's sides
// are straight across the view either way, and its corners outside are
// never seen. Nothing is stroked when no side of the frame comes near the view.
void strokeFrame(QPainter& painter, int left, int top, int right, int bottom, const ViewGeometry& view) {
  const int minX = -kUnseen, minY = -kUnseen;
  const int maxX = view.viewportWidth + kUnseen, maxY = view.viewportHeight + kUnseen;
  if (left > maxX || right < minX || top > maxY || bottom < minY) return;
  if (left < minX && right > maxX && top < minY && bottom > maxY) return;
  left = std::max(left, minX);
  top = std::max(top, minY);
  right = std::min(right, maxX);
  bottom = std::min(bottom, maxY);
  drawRectangle(painter, left, top, right - left, bottom - top);
}
}  // namespace

void drawCellBoundary(QPainter& painter, const S57Cell& cell, const ViewGeometry& view, TextPlacement* texts,
                      int order, bool drawn) {
  painter.setPen(QPen(QBrush(QColor(0, 0, 255)), 30));
  painter.setBrush(Qt::NoBrush);
  const ChartBox& box = cell.boundingBox;
  const double scale = view.scale;
  const int left = edge((box.minX - view.origin.x) / scale);
  const int top = edge((view.origin.y - box.maxY) / scale);
  const int right = edge((box.maxX - view.origin.x) / scale);
  const int bottom = edge((view.origin.y - box.minY) / scale);
  strokeFrame(painter, left, top, right, bottom, view);
  const QPoint at(left + 100, top + 100);
  if (texts) {
    // drawLabel's box: 220 units per byte, 300 high.
    const TextBox box{at.x(), at.x() + 220 * static_cast<int>(cell.name.size()), at.y(), at.y() + 300};
    const ChartPoint corner{view.origin.x + at.x() * scale, view.origin.y - at.y() * scale};
    texts->addCellName(box, corner, cell.name, order, drawn);
    return;
  }
  drawLabel(painter, at, cell.name);
}
