#pragma once
// Point symbols of the presentation library drawn from their vector commands.
#include <QPainterPath>
#include <QPoint>
#include <QPointF>
#include <string>
#include <vector>

#include "Canvas.h"
#include "TextBox.h"

struct PresentationLibrary;
struct SymbolDefinition;

// Path and polygon of one symbol, reused from one symbol to the next.
struct SymbolScratch {
  QPainterPath path;
  std::vector<QPoint> polygon;
};

// Draws the library symbol `name` with its pivot on `anchor` (logical
// units), turned clockwise on the screen by `rotation` degrees (0: not
// turned). An unknown name draws nothing. Leaves the painter's brush as the
// symbol's commands left it (normally none) and its pen at the last one set.
void drawSymbol(const Canvas& canvas, const QPointF& anchor, const std::string& name, int rotation);

// The same for a definition at hand.
void drawSymbol(const Canvas& canvas, const QPointF& anchor, const SymbolDefinition& symbol, int rotation);

// The symbol of that name in `library`, or null.
const SymbolDefinition* findSymbol(const PresentationLibrary& library, const std::string& name);

// The box the library gives the symbol (its bounding box, in the symbol's
// units, which are logical units) with its pivot on `anchor`, upright.
TextBox symbolBox(const SymbolDefinition& symbol, const QPointF& anchor);
