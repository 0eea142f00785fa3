#include "SymbolDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "ColourPens.h"
#include "DrawScratch.h"
#include "LibraryDrawings.h"
#include "Primitives.h"
#include "SymbolStamps.h"
#include "VectorDrawing.h"
#include "ViewGeometry.h"

namespace {
// Where the command points of one symbol land.
class SymbolPlacement {
public:
  SymbolPlacement(const QPointF& anchor, const SymbolDefinition& symbol, int rotation)
      : anchor_(anchor),
        offsetX_(truncateCoordinate(anchor.x() - symbol.pivotColumn)),
        offsetY_(truncateCoordinate(anchor.y() - symbol.pivotRow)),
        rotated_(rotation != 0) {
    if (rotated_) {
      const float angle = static_cast<float>(rotation * 3.1415926 / 180.0);
      cos_ = std::cos(angle);
      sin_ = std::sin(angle);
    }
  }

  QPoint place(int x, int y) const {
    const double px = static_cast<double>(offsetX_) + x, py = static_cast<double>(offsetY_) + y;
    if (!rotated_) return QPoint(truncateCoordinate(px), truncateCoordinate(py));
    const double dx = px - anchor_.x(), dy = py - anchor_.y();
    return QPoint(truncateCoordinate(dx * cos_ - dy * sin_ + anchor_.x()),
                  truncateCoordinate(dx * sin_ + dy * cos_ + anchor_.y()));
  }

private:
  QPointF anchor_;
  int offsetX_, offsetY_;
  bool rotated_;
  float cos_ = 1, sin_ = 0;
};

}  // namespace

const SymbolDefinition* findSymbol(const PresentationLibrary& library, const std::string& name) {
  const auto& symbols = library.symbols;
  const auto it = symbols.find(name);
  return it == symbols.end() ? nullptr : &it->second;
}

void drawSymbol(const Canvas& canvas, const QPointF& anchor, const std::string& name, int rotation) {
  if (const SymbolDefinition* symbol = findSymbol(canvas.drawings.library, name)) drawSymbol(canvas, anchor, *symbol, rotation);
}

void drawSymbol(const Canvas& canvas, const QPointF& anchor, const SymbolDefinition& symbol, int rotation) {
  if (symbol.commands.empty()) return;
  if (canvas.stampSymbols && stampSymbol(canvas, anchor, symbol, rotation)) return;
  QPainter& painter = canvas.painter;
  painter.setBrush(Qt::NoBrush);
  SymbolScratch& s = canvas.scratch.symbol;
  s.path.clear();
  s.polygon.clear();
  const SymbolPlacement placement(anchor, symbol, rotation);
  bool pathStarted = false, pathHasLine = false;
  QColor colour(Qt::black);
  QPoint current = placement.place(symbol.pivotColumn, symbol.pivotRow);
  bool polygonMode = false;

  for (const VectorCommand& c : symbol.commands) {
    switch (c.opcode) {
      case kSP:
        colour = colourOf(canvas.colours, c.colour);
        break;
      case kSW:
        painter.setPen(makePen(colour, c.first));
        break;
      case kPM:
        if (c.first == 0) {
          polygonMode = true;
          s.polygon.clear();
          s.polygon.push_back(current);
          painter.setPen(QPen(QBrush(colour), LOGICAL_UNITS_PER_PIXEL, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
          painter.setBrush(QBrush(colour));
        } else if (c.first == 1 || c.first == 2) {
          polygonMode = false;
          if (s.polygon.size() > 1) {
            painter.drawConvexPolygon(s.polygon.data(), static_cast<int>(s.polygon.size()));
            painter.setBrush(Qt::NoBrush);
          }
        }
        break;
      case kST:
        colour.setAlpha(std::clamp((4 - c.first) * 255 / 4, 0, 255));
        break;
      case kPU:
        current = placement.place(c.first, c.second);
        s.path.moveTo(current);
        pathStarted = true;
        break;
      case kPD:
        if (polygonMode) {
          s.polygon.push_back(placement.place(c.first, c.second));
        } else if (c.first != 0 || c.second != 0) {
          // A line before any pen-up starts at the current position, not at
          // the window's corner.
          if (!pathStarted) s.path.moveTo(current);
          pathStarted = pathHasLine = true;
          s.path.lineTo(placement.place(c.first, c.second));
        } else {
          painter.setPen(QPen(colour));
          painter.drawPoint(current);
        }
        break;
      case kCI:
        painter.drawEllipse(QRect(current.x() - c.first, current.y() - c.first, 2 * c.first, 2 * c.first));
        painter.setBrush(Qt::NoBrush);
        break;
      default:
        break;
    }
  }
  if (pathHasLine) painter.drawPath(s.path);
}

TextBox symbolBox(const SymbolDefinition& symbol, const QPointF& anchor) {
  // In doubles: a damaged library's box may reach the int range.
  const double left = anchor.x() - symbol.pivotColumn + static_cast<double>(symbol.boxColumn);
  const double top = anchor.y() - symbol.pivotRow + static_cast<double>(symbol.boxRow);
  TextBox box;
  box.left = truncateCoordinate(left);
  box.top = truncateCoordinate(top);
  box.right = truncateCoordinate(left + symbol.width);
  box.bottom = truncateCoordinate(top + symbol.height);
  return box;
}
