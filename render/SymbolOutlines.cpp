#include "SymbolOutlines.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <vector>

#include "ColourPens.h"
#include "DrawScratch.h"
#include "LibraryDrawings.h"
#include "Primitives.h"
#include "SymbolDrawing.h"
#include "SymbolStamps.h"
#include "VectorDrawing.h"

namespace {
bool sameCommands(const std::vector<VectorCommand>& a, const std::vector<VectorCommand>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].opcode != b[i].opcode || a[i].colour != b[i].colour || a[i].first != b[i].first ||
        a[i].second != b[i].second)
      return false;
  return true;
}

// A path of lone segments (each piece a move and one line) is stroked by
// the painter's line rasterizer, whose edges differ from a filled outline.
bool onlySingleSegments(const QPainterPath& path) {
  const int n = path.elementCount();
  if (n % 2 != 0) return false;
  for (int i = 0; i < n; ++i)
    if (path.elementAt(i).type != (i % 2 == 0 ? QPainterPath::MoveToElement : QPainterPath::LineToElement))
      return false;
  return true;
}

// The path as drawing the commands would build it, in the symbol's own
// coordinates, and the pen it would be stroked with.
void makeOutline(const SymbolDefinition& symbol, SymbolOutline& o) {
  o.commands = symbol.commands;
  o.plain = false;
  o.penSet = false;
  o.hasLine = false;
  o.outline = QPainterPath();
  int colour = -1;
  bool pathStarted = false;
  QPoint current(symbol.pivotColumn, symbol.pivotRow);
  QPainterPath path;
  for (const VectorCommand& c : symbol.commands) {
    switch (c.opcode) {
      case kSP:
        colour = c.colour;
        break;
      case kSW:
        o.penSet = true;
        o.colour = colour;
        o.width = c.first;
        break;
      case kPU:
        current = QPoint(c.first, c.second);
        path.moveTo(current);
        pathStarted = true;
        break;
      case kPD:
        if (c.first == 0 && c.second == 0) return;  // a dot, drawn on its own
        if (!pathStarted) path.moveTo(current);
        pathStarted = o.hasLine = true;
        path.lineTo(QPoint(c.first, c.second));
        break;
      default:
        return;  // polygons, circles, transparency
    }
  }
  if (o.hasLine && !o.penSet) return;  // stroked with whatever pen the painter holds
  if (onlySingleSegments(path)) return;
  o.plain = true;
  if (o.hasLine) {
    QPainterPathStroker stroker(makePen(Qt::black, o.width));
    o.outline = stroker.createStroke(path);
  }
}

}  // namespace

bool drawSymbolOutline(const Canvas& canvas, const QPoint& offset, const SymbolDefinition& symbol) {
  QPainter& painter = canvas.painter;
  SymbolOutline& o = canvas.scratch.outlines[&symbol];
  // The library may have been replaced since: a definition at the same
  // address with other commands is made afresh.
  if (!sameCommands(o.commands, symbol.commands)) makeOutline(symbol, o);
  if (!o.plain) return false;
  const QColor colour = o.colour < 0 ? QColor(Qt::black) : colourOf(canvas.colours, o.colour);
  if (o.hasLine) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.translate(offset.x(), offset.y());
    painter.drawPath(o.outline);
    painter.translate(-offset.x(), -offset.y());
  }
  if (o.penSet) painter.setPen(makePen(colour, o.width));
  painter.setBrush(Qt::NoBrush);
  return true;
}

const SymbolDefinition* drawSymbolFast(const Canvas& canvas, const QPointF& anchor, const std::string& name,
                                       int rotation) {
  const auto& symbols = canvas.drawings.library.symbols;
  const auto it = symbols.find(name);
  if (it == symbols.end() || it->second.commands.empty()) return nullptr;
  const SymbolDefinition& symbol = it->second;
  if (canvas.stampSymbols && stampSymbol(canvas, anchor, symbol, rotation)) return &symbol;
  if (rotation == 0 && drawSymbolOutline(canvas,
                                         QPoint(truncateCoordinate(anchor.x() - symbol.pivotColumn),
                                                truncateCoordinate(anchor.y() - symbol.pivotRow)),
                                         symbol))
    return &symbol;
  drawSymbol(canvas, anchor, symbol, rotation);
  return &symbol;
}
