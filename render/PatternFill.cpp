#include "PatternFill.h"

#include <QBrush>
#include <QPainter>
#include <QPainterPath>
#include <vector>

#include "ColourPens.h"
#include "ColourTable.h"
#include "DrawScratch.h"
#include "LibraryDrawings.h"
#include "VectorDrawing.h"
#include "ViewGeometry.h"

namespace {
constexpr double kUnits = LOGICAL_UNITS_PER_PIXEL;

// The tile pen: the first colour and width the commands set, both known.
bool tilePen(const PatternDefinition& pattern, const ColourTable& colours, QPen& pen) {
  int index = -1, width = 0;
  for (const VectorCommand& c : pattern.commands) {
    if (c.opcode == kSP) index = c.colour;
    if (c.opcode == kSW) width = c.first;
    if (index != -1 && width != 0) {
      pen = QPen(QBrush(colourOf(colours, index)), static_cast<int>(width * 1.2), Qt::SolidLine, Qt::SquareCap,
                 Qt::BevelJoin);
      return true;
    }
  }
  return false;
}

// One copy of the pattern symbol with its box corner on `position` (logical
// units), in tile pixels.
void drawPatternCopy(QPainter& tile, const PatternDefinition& pattern, double positionX, double positionY) {
  const double originX = positionX - pattern.boxColumn, originY = positionY - pattern.boxRow;
  const auto place = [&](const VectorCommand& c) {
    return QPointF((originX + c.first) / kUnits, (originY + c.second) / kUnits);
  };
  QPainterPath path;
  for (const VectorCommand& c : pattern.commands) {
    switch (c.opcode) {
      case kPU:
        path.moveTo(place(c));
        break;
      case kPD:
        if (c.first == 0 && c.second == 0) {
          const QPointF at = path.currentPosition();
          path.moveTo(at);
          path.lineTo(at + QPointF(1, 1));
        } else {
          path.lineTo(place(c));
        }
        break;
      case kCI:
        tile.drawEllipse(path.currentPosition(), c.first / kUnits, c.first / kUnits);
        break;
      default:  // colour, width, polygon mode and transparency do not apply in a tile
        break;
    }
  }
  tile.drawPath(path);
}

}  // namespace

QSize patternTileUnits(const PatternDefinition& p) {
  const int d = p.minimumDistance;
  if (p.fillKind == "LIN") {
    // A bare stroke without spacing (a box of no width, as the vertical
    // strokes of OVERSC01) repeats a stroke's length apart across it; its
    // copies would merge into nothing otherwise.
    if (d == 0 && p.width == 0 && p.height > 0) return QSize(p.height, p.height);
    if (d == 0 && p.height == 0 && p.width > 0) return QSize(p.width, p.width);
    return QSize(d + p.width, d + p.height);
  }
  return QSize(static_cast<int>(d + 1.5 * p.width), 2 * (d + p.height));
}

QImage buildPatternTile(const PatternDefinition& pattern, const ColourTable& colours) {
  const QSize units = patternTileUnits(pattern);
  const int width = units.width() / LOGICAL_UNITS_PER_PIXEL, height = units.height() / LOGICAL_UNITS_PER_PIXEL;
  if (width < 1 || height < 1) return QImage();
  QImage tile(width, height, QImage::Format_ARGB32_Premultiplied);
  tile.fill(Qt::transparent);
  QPainter painter(&tile);
  painter.setRenderHint(QPainter::Antialiasing, true);
  QPen pen;
  if (tilePen(pattern, colours, pen)) painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  const int d = pattern.minimumDistance;
  if (pattern.fillKind == "LIN") {  // the copy in the middle of its tile
    drawPatternCopy(painter, pattern, (units.width() - pattern.width) / 2, (units.height() - pattern.height) / 2);
  } else {
    drawPatternCopy(painter, pattern, d / 2, d / 2);
    drawPatternCopy(painter, pattern, d + pattern.width / 2, 1.5 * d + pattern.height);
  }
  return tile;
}

void fillPattern(const Canvas& canvas, const QPoint* points, int count, const std::string& name,
                 const ViewGeometry& view, const Rings& holes) {
  QPainter& painter = canvas.painter;
  if (count <= 0) return;
  const auto& patterns = canvas.drawings.library.patterns;
  const auto it = patterns.find(name);
  if (it == patterns.end() || it->second.commands.empty()) return;
  const QBrush brush = canvas.drawings.patternTiles.brush(it->second, canvas.colours);
  if (brush.style() == Qt::NoBrush) return;

  if (holes.count > 0) {
    painter.setWindow(0, 0, view.viewportWidth / LOGICAL_UNITS_PER_PIXEL,
                      view.viewportHeight / LOGICAL_UNITS_PER_PIXEL);
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    painter.drawPath(ringsPath(canvas.scratch.rings, points, count, holes, LOGICAL_UNITS_PER_PIXEL));
    painter.setWindow(0, 0, view.viewportWidth, view.viewportHeight);
    return;
  }
  std::vector<QPoint>& pixels = canvas.scratch.pixels;
  pixels.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    pixels[static_cast<std::size_t>(i)] =
        QPoint(points[i].x() / LOGICAL_UNITS_PER_PIXEL, points[i].y() / LOGICAL_UNITS_PER_PIXEL);
  painter.setWindow(0, 0, view.viewportWidth / LOGICAL_UNITS_PER_PIXEL, view.viewportHeight / LOGICAL_UNITS_PER_PIXEL);
  painter.setPen(Qt::NoPen);
  painter.setBrush(brush);
  painter.drawConvexPolygon(pixels.data(), count);
  painter.setWindow(0, 0, view.viewportWidth, view.viewportHeight);
}
