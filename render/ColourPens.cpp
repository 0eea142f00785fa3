#include "ColourPens.h"

#include <QPainter>
#include <array>

#include "ColourTable.h"
#include "DrawScratch.h"
#include "ViewGeometry.h"

QColor colourOf(const ColourTable& table, int index) {
  if (index < 0 || index >= kColourCount) return QColor();
  return table.entries[static_cast<std::size_t>(index)];
}

int penWidthUnits(int width) {
  const int units = static_cast<int>(static_cast<float>(width) * static_cast<float>(LOGICAL_UNITS_PER_PIXEL));
  return static_cast<int>(units * 1.2);
}

QPen makePen(const QColor& colour, int width) {
  return QPen(QBrush(colour), penWidthUnits(width), Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

const QBrush& solidBrush(const Canvas& canvas, int index) {
  const QColor colour = colourOf(canvas.colours, index);
  PenCache& cache = canvas.scratch.pens;
  if (index < 0 || index >= kColourCount) {
    cache.other = QBrush(colour);
    return cache.other;
  }
  QBrush& brush = cache.brushes[static_cast<std::size_t>(index)];
  if (brush.style() != Qt::SolidPattern || brush.color() != colour) brush = QBrush(colour);
  return brush;
}

QPen tablePen(const Canvas& canvas, int index, int width) {
  const QColor colour = colourOf(canvas.colours, index);
  if (index < 0 || index >= kColourCount || width < 0 || width >= PenCache::kCachedWidths)
    return makePen(colour, width);
  QPen& pen = canvas.scratch.pens.pens[static_cast<std::size_t>(index)][static_cast<std::size_t>(width)];
  // A pen not made yet is the default pen, one unit wide.
  if (pen.color() != colour || pen.width() != penWidthUnits(width)) pen = makePen(colour, width);
  return pen;
}

void setPenByIndex(const Canvas& canvas, int index, int width) {
  canvas.painter.setPen(tablePen(canvas, index, width));
}

