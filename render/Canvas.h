#pragma once
// What every drawing primitive draws on: the painter, set up for the view,
// and the colour table that the colour indices of instructions and symbols
// name. A view makes one per draw pass, so views drawing at once on several
// threads, or in different tables, never share one.
class QPainter;
struct ColourTable;

struct Canvas {
  QPainter& painter;
  const ColourTable& colours;
};
