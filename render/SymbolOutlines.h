#pragma once
// The stroke outlines of plain symbols, made once and filled wherever the
// symbol is drawn. Stroking a path computes its outline (every join and cap)
// at each call; a symbol drawn hundreds of times in a pass, such as the
// digits of the soundings, is cheaper as its outline moved into place.
#include <QPainterPath>
#include <QPoint>
#include <QPointF>
#include <string>
#include <unordered_map>
#include <vector>

#include "Canvas.h"
#include "VectorDrawing.h"

// The outline of one symbol, made the first time a view draws it.
struct SymbolOutline {
  std::vector<VectorCommand> commands;  // what the outline was made from
  bool plain = false;
  int colour = -1;      // colour index of the pen; -1: black (no SP before the last SW)
  int width = 0;        // width of the last SW
  bool penSet = false;  // an SW set the pen
  bool hasLine = false;
  QPainterPath outline;  // the stroked path, drawing units from the symbol's origin
};
// A view's outlines, by the symbol's definition.
using SymbolOutlines = std::unordered_map<const SymbolDefinition*, SymbolOutline>;

// Draws `symbol` unrotated with its drawing origin moved to `offset`
// (logical units; the anchor less the pivot, truncated) from its cached
// outline, when the symbol is plain: pen colours, widths, pen-up and
// pen-down moves only, with a width set before it draws. Leaves the pen at
// the symbol's last one and no brush, as drawing the commands does. False,
// nothing drawn, for any other symbol.
bool drawSymbolOutline(const Canvas& canvas, const QPoint& offset, const SymbolDefinition& symbol);

// drawSymbol (SymbolDrawing.h) for callers that draw many symbols in a pass:
// a plain symbol drawn unrotated goes through drawSymbolOutline (the same
// pixels, the painter receiving one filled outline instead of a stroked
// path), any other through drawSymbol. The symbol drawn, or null when the
// library has none of that name (or one without commands).
const SymbolDefinition* drawSymbolFast(const Canvas& canvas, const QPointF& anchor, const std::string& name,
                                       int rotation);
