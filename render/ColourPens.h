#pragma once
// Colours of a colour table and the pens made from them. Every size is in
// painter logical units (23 per pixel).
#include <QBrush>
#include <QColor>
#include <QPen>
#include <array>
#include <string>

#include "Canvas.h"
#include "ColourTable.h"

class QPainter;
struct ColourTable;

// A copy of entry `index` of the table, so changing its alpha never touches
// the table. An index outside the table gives an invalid colour (drawn black).
QColor colourOf(const ColourTable& table, int index);

// Logical pen width of a library line width: trunc(trunc(width x 23) x 1.2),
// so 1 gives 27, 2 gives 55, 3 gives 82.
int penWidthUnits(int width);

// A solid pen of `colour` with square caps and bevel joins, penWidthUnits(width) wide.
QPen makePen(const QColor& colour, int width);

// The brushes and pens of a view's passes, kept from one call to the next
// while the entry's colour stays the same.
struct PenCache {
  static constexpr int kCachedWidths = 10;  // line widths 0 to 9, all a look-up can give
  std::array<QBrush, kColourCount> brushes;
  std::array<std::array<QPen, kCachedWidths>, kColourCount> pens;
  QBrush other;  // the brush of an index outside the table
};

// The solid brush of an entry of the canvas's table and makePen of an
// entry, from the view's PenCache, so that fills and strokes do not make a
// new brush or pen each time.
const QBrush& solidBrush(const Canvas& canvas, int index);
QPen tablePen(const Canvas& canvas, int index, int width);

// makePen of an entry of the canvas's table, made the painter's pen.
void setPenByIndex(const Canvas& canvas, int index, int width);
