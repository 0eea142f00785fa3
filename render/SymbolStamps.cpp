#include "SymbolStamps.h"

#include <QPainter>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>

#include "ColourPens.h"
#include "DrawScratch.h"
#include "Primitives.h"
#include "SymbolDrawing.h"
#include "ViewGeometry.h"

namespace {
// True when every stroke of the symbol uses a pen its own commands set, so
// that its pixels do not depend on the pen the painter held before.
bool setsItsOwnPens(const SymbolDefinition& symbol) {
  bool penSet = false, line = false, polygon = false;
  for (const VectorCommand& c : symbol.commands) {
    switch (c.opcode) {
      case kSW: penSet = true; break;
      case kPM:
        if (c.first == 0) polygon = penSet = true;
        else if (c.first == 1 || c.first == 2) polygon = false;
        break;
      case kPD:
        if (!polygon && (c.first != 0 || c.second != 0)) line = true;
        break;
      case kCI:
        if (!penSet) return false;
        break;
      default: break;
    }
  }
  return penSet || !line;
}

// How far (logical units) the symbol's ink may reach from its pivot, turned
// any way: its farthest point, its largest circle and its widest pen.
double reach(const SymbolDefinition& symbol) {
  double farthest = 0;
  int circle = 0, width = 1;
  for (const VectorCommand& c : symbol.commands) {
    if (c.opcode == kPU || c.opcode == kPD)
      farthest = std::max(farthest, std::hypot(double(c.first - symbol.pivotColumn), double(c.second - symbol.pivotRow)));
    else if (c.opcode == kCI) circle = std::max(circle, c.first);
    else if (c.opcode == kSW) width = std::max(width, c.first);
  }
  // A circle is drawn round a point the commands reached.
  return farthest + circle + static_cast<double>(penWidthUnits(width) + LOGICAL_UNITS_PER_PIXEL);
}

// The smallest rectangle holding every pixel with ink; empty when none.
QRect inked(const QImage& image) {
  int left = image.width(), right = -1, top = image.height(), bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(row[x]) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Whether the stamp was drawn from these commands in these colours: the
// library may have been replaced since (a definition at the same address
// with other commands), or the colour table changed.
bool drawnFrom(const SymbolStamp& stamp, const SymbolDefinition& symbol, const ColourTable& colours) {
  if (stamp.commands.empty() || stamp.commands.size() != symbol.commands.size()) return false;
  std::size_t colour = 0;
  for (std::size_t i = 0; i < symbol.commands.size(); ++i) {
    const VectorCommand& a = stamp.commands[i];
    const VectorCommand& b = symbol.commands[i];
    if (a.opcode != b.opcode || a.colour != b.colour || a.first != b.first || a.second != b.second) return false;
    if (b.opcode == kSP && (colour >= stamp.colours.size() || stamp.colours[colour++] != colourOf(colours, b.colour).rgba()))
      return false;
  }
  return true;
}

// Draws the symbol into a fresh image with its pivot a quarter-pixel step
// (the middle of `quarterX`, `quarterY`) past a whole pixel.
void makeStamp(const Canvas& canvas, SymbolStamps& stamps, const SymbolDefinition& symbol, int rotation,
               int quarterX, int quarterY, double unitsToPixels, SymbolStamp& stamp) {
  stamp.commands = symbol.commands;
  stamp.colours.clear();
  for (const VectorCommand& c : symbol.commands)
    if (c.opcode == kSP) stamp.colours.push_back(colourOf(canvas.colours, c.colour).rgba());
  stamp.usable = false;
  stamp.image = QImage();
  if (!setsItsOwnPens(symbol)) return;
  const int radius = static_cast<int>(std::ceil(reach(symbol) * unitsToPixels)) + 2;
  const int side = 2 * radius + 1;
  if (side > 512 || !stamps.reserve(static_cast<std::size_t>(side) * static_cast<std::size_t>(side) * 4)) return;
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHints(canvas.painter.renderHints());
    painter.setTransform(QTransform(unitsToPixels, 0, 0, unitsToPixels,
                                    radius + (quarterX + 0.5) / 4 - unitsToPixels * symbol.pivotColumn,
                                    radius + (quarterY + 0.5) / 4 - unitsToPixels * symbol.pivotRow));
    const Canvas local{painter, canvas.colours, canvas.drawings, canvas.scratch};
    drawSymbol(local, QPointF(symbol.pivotColumn, symbol.pivotRow), symbol, rotation);
    stamp.pen = painter.pen();
    stamp.brush = painter.brush();
  }
  const QRect ink = inked(image);
  // Ink on the border may have been cut: the reach was misjudged.
  if (ink.isEmpty() || ink.left() == 0 || ink.top() == 0 || ink.right() == side - 1 || ink.bottom() == side - 1)
    return;
  stamp.image = image.copy(ink);
  stamp.corner = QPoint(ink.left() - radius, ink.top() - radius);
  stamp.usable = true;
}
}  // namespace

SymbolStamp* SymbolStamps::entry(const Key& key, double unitsToPixels) {
  if (unitsToPixels != unitsToPixels_) {
    stamps_.clear();
    bytes_ = 0;
    unitsToPixels_ = unitsToPixels;
  }
  const auto found = stamps_.find(key);
  if (found != stamps_.end()) return &found->second;
  // Each entry counts too, so that symbols turned every way cannot grow
  // the map without end once the images are full.
  if (!reserve(kEntryBytes + key.symbol->commands.size() * sizeof(VectorCommand))) return nullptr;
  return &stamps_[key];
}

bool SymbolStamps::reserve(std::size_t bytes) {
  if (bytes_ + bytes > kStampBytes) return false;
  bytes_ += bytes;
  return true;
}

bool stampSymbol(const Canvas& canvas, const QPointF& anchor, const SymbolDefinition& symbol, int rotation) {
  QPainter& painter = canvas.painter;
  if (symbol.commands.empty()) return false;
  const QTransform transform = painter.combinedTransform();
  const double s = transform.m11();
  if (transform.type() > QTransform::TxScale || !(s > 0) || transform.m22() != s) return false;
  if (painter.compositionMode() != QPainter::CompositionMode_SourceOver || painter.opacity() != 1.0) return false;
  if (!painter.device() || painter.device()->devicePixelRatioF() != 1.0) return false;

  // Where drawSymbol puts the pivot: unturned, on whole logical units.
  const QPointF pivot = rotation != 0 ? anchor
                                      : QPointF(truncateCoordinate(anchor.x() - symbol.pivotColumn) + symbol.pivotColumn,
                                                truncateCoordinate(anchor.y() - symbol.pivotRow) + symbol.pivotRow);
  const double x = s * pivot.x() + transform.dx(), y = s * pivot.y() + transform.dy();
  if (!(std::abs(x) < 1e6 && std::abs(y) < 1e6)) return false;
  const double wholeX = std::floor(x), wholeY = std::floor(y);
  const int quarterX = std::min(3, static_cast<int>((x - wholeX) * 4));
  const int quarterY = std::min(3, static_cast<int>((y - wholeY) * 4));

  SymbolStamp* found = canvas.scratch.stamps.entry(SymbolStamps::Key{&symbol, rotation, quarterX, quarterY}, s);
  if (!found) return false;
  SymbolStamp& stamp = *found;
  if (!drawnFrom(stamp, symbol, canvas.colours))
    makeStamp(canvas, canvas.scratch.stamps, symbol, rotation, quarterX, quarterY, s, stamp);
  if (!stamp.usable) return false;

  const bool view = painter.viewTransformEnabled(), world = painter.worldMatrixEnabled();
  painter.setViewTransformEnabled(false);
  painter.setWorldMatrixEnabled(false);
  painter.drawImage(QPoint(static_cast<int>(wholeX) + stamp.corner.x(), static_cast<int>(wholeY) + stamp.corner.y()),
                    stamp.image);
  painter.setWorldMatrixEnabled(world);
  painter.setViewTransformEnabled(view);
  painter.setPen(stamp.pen);
  painter.setBrush(stamp.brush);
  return true;
}
