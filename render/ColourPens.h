#pragma once
// Colours of a colour table and the pens made from them. Every size is in
// painter logical units (23 per pixel).
#include <QColor>
#include <QPen>
#include <string>

#include "Canvas.h"

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

// The solid brush of a colour table entry and makePen of an entry, kept
// from one call to the next while the entry's colour stays the same, so
// that fills and strokes do not make a new brush or pen each time.
// The cache belongs to the calling thread.
const QBrush& solidBrush(const ColourTable& table, int index);
QPen tablePen(const ColourTable& table, int index, int width);

// makePen of an entry of the canvas's table, made the painter's pen.
void setPenByIndex(const Canvas& canvas, int index, int width);
