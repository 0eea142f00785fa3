#include "ComplexLines.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "ColourPens.h"
#include "DrawScratch.h"
#include "LibraryDrawings.h"
#include "Primitives.h"
#include "StrokeClipping.h"
#include "VectorDrawing.h"

namespace {

// Draws the style's symbol pieces once with the pivot on `origin` and the
// style's x axis along (ux, uy): polygons and circles at once, lines into `path`.
class SymbolPass {
public:
  SymbolPass(QPainter& painter, const LineStyleDefinition& style, double ux, double uy, const QColor& fill,
             ComplexScratch& s)
      : painter_(painter), style_(style), ux_(ux), uy_(uy), fill_(fill), s_(s) {}

  void run(const LineStyleSegment& segment, double originX, double originY) {
    bool polygonMode = false;
    QPoint lastMove = place(style_.pivotColumn, style_.pivotRow, originX, originY);
    for (const VectorCommand& c : segment.commands) {
      switch (c.opcode) {
        case kPU:
          lastMove = place(c.first, c.second, originX, originY);
          if (polygonMode) {
            s_.polygon.push_back(lastMove);
          } else {
            s_.path.moveTo(lastMove);
            s_.pathStarted = true;
          }
          break;
        case kPD: {
          const QPoint to = place(c.first, c.second, originX, originY);
          if (polygonMode) {
            s_.polygon.push_back(to);
          } else {
            if (!s_.pathStarted) s_.path.moveTo(lastMove);
            s_.pathStarted = true;
            s_.path.lineTo(to);
          }
          break;
        }
        case kPM:
          if (c.first == 0) {
            polygonMode = true;
            s_.polygon.clear();
            s_.polygon.push_back(lastMove);
          } else if (c.first == 1 || c.first == 2) {
            polygonMode = false;
            if (s_.polygon.size() > 1) {
              painter_.setBrush(QBrush(fill_));
              painter_.drawConvexPolygon(s_.polygon.data(), static_cast<int>(s_.polygon.size()));
              painter_.setBrush(Qt::NoBrush);
            }
          }
          break;
        case kST:
          fill_.setAlpha(std::clamp((4 - c.first) * 255 / 4, 0, 255));
          break;
        case kCI:
          painter_.setBrush(Qt::NoBrush);
          painter_.drawEllipse(QPointF(lastMove), c.first, c.first);
          break;
        default:  // SP and SW: the pen set for the segment is used throughout
          break;
      }
    }
  }

private:
  QPoint place(int x, int y, double originX, double originY) const {
    const double sx = x - style_.pivotColumn, sy = y - style_.pivotRow;
    return QPoint(truncateCoordinate(originX + ux_ * sx - uy_ * sy), truncateCoordinate(originY + uy_ * sx + ux_ * sy));
  }

  QPainter& painter_;
  const LineStyleDefinition& style_;
  double ux_, uy_;
  QColor fill_;
  ComplexScratch& s_;
};

// How many of the style's pieces fit in `remaining` units, those
// overlapping in x with the first piece that does not fit left out too.
std::size_t piecesThatFit(const LineStyleDefinition& style, double remaining) {
  const auto& segments = style.segments;
  std::size_t count = 0;
  while (count < segments.size() && segments[count].largestX - style.pivotColumn <= remaining) ++count;
  if (count < segments.size()) {
    const int firstLeftOut = segments[count].smallestX;
    while (count > 0 && segments[count - 1].largestX >= firstLeftOut) --count;
  }
  return count;
}
}  // namespace

const LineStyleDefinition* findLineStyle(const PresentationLibrary& library, const std::string& name) {
  const auto& styles = library.lineStyles;
  const auto it = styles.find(name);
  return it == styles.end() ? nullptr : &it->second;
}

int drawComplexSegment(const Canvas& canvas, const QPointF& a, const QPointF& b, const std::string& name,
                       ComplexLineState& state) {
  const LineStyleDefinition* style = findLineStyle(canvas.drawings.library, name);
  return style ? drawComplexSegment(canvas, a, b, *style, state) : 0;
}

int drawComplexSegment(const Canvas& canvas, const QPointF& a, const QPointF& b, const LineStyleDefinition& style,
                       ComplexLineState& state) {
  QPainter& painter = canvas.painter;
  painter.setBrush(Qt::NoBrush);
  QColor fill;
  if (!style.segments.empty()) {
    const LineStyleSegment& first = style.segments.front();
    if (!(first.colour == -1 && first.width == -1)) painter.setPen(tablePen(canvas, first.colour, first.width));
    fill = colourOf(canvas.colours, first.colour);
  }
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double whole = std::sqrt(dx * dx + dy * dy);
  if (!std::isfinite(whole)) return 0;
  const double ux = whole > 0 ? dx / whole : 0, uy = whole > 0 ? dy / whole : 0;
  double remaining = whole;
  double px = std::trunc(a.x()), py = std::trunc(a.y());
  // A period of 0 or less (a style of negative width) would never move on.
  const int period = std::max(style.width + COMPLEX_SPACING, 1);
  ComplexScratch& s = canvas.scratch.complex;
  int symbolDrawn = 0;
  // The stretch of the segment, in units from a, whose repetitions can show
  // on the painter's surface; a repetition reaches at most `reach` from its
  // origin.
  const double reach = period + std::abs(static_cast<double>(style.width)) + std::abs(static_cast<double>(style.height)) +
                       std::abs(static_cast<double>(style.pivotColumn)) + std::abs(static_cast<double>(style.pivotRow));
  double t0 = 0, t1 = 0;
  const bool visible =
      clipSegmentRange(a, b, strokeClipRect(painter).adjusted(-reach, -reach, reach, reach), t0, t1);
  const double visibleFrom = visible ? t0 * whole - reach : 0, visibleTo = visible ? t1 * whole + reach : -1;

  for (;;) {
    bool symbolSection = false;
    if (state.phase == 1) {
      const double need = COMPLEX_GAP - state.distance;
      if (static_cast<float>(remaining - need) < 0) {
        state.distance += remaining;
        return symbolDrawn;
      }
      remaining -= need;
      px += need * ux;
      py += need * uy;
      state.phase = 2;
      state.distance = 0;
      symbolSection = remaining > COMPLEX_PERIOD;
    } else if (state.phase == 2) {
      const double need = COMPLEX_PIECE - state.distance;
      if (std::trunc(remaining - need) < 0) {
        strokeSegment(painter, QPointF(px, py), b);
        state.distance += remaining;
        return symbolDrawn;
      }
      remaining = std::trunc(remaining - need);
      const QPointF from(px, py);
      px += need * ux;
      py += need * uy;
      strokeSegment(painter, from, QPointF(px, py));
      state.phase = 1;
      state.distance = 0;
      symbolSection = remaining > COMPLEX_PERIOD;
    } else if (remaining > COMPLEX_PERIOD) {
      symbolSection = true;
    } else {
      state.phase = 2;
      state.distance = 0;
    }
    if (!symbolSection) continue;

    // The symbol section: whole repetitions, then the pieces that still fit.
    symbolDrawn = 1;
    s.clearPath();
    SymbolPass pass(painter, style, ux, uy, fill, s);
    const long long repetitions = static_cast<long long>(std::trunc(remaining)) / period;
    // Repetitions off the surface are stepped over, not drawn.
    const double sectionStart = whole - remaining;
    const double startX = px, startY = py;
    const long long firstShown = static_cast<long long>(
        std::clamp(std::ceil((visibleFrom - sectionStart) / period), 0.0, static_cast<double>(repetitions)));
    const long long endShown = static_cast<long long>(
        std::clamp(std::floor((visibleTo - sectionStart) / period) + 1, 0.0, static_cast<double>(repetitions)));
    if (firstShown > 0) px += static_cast<double>(firstShown) * period * ux, py += static_cast<double>(firstShown) * period * uy;
    for (long long r = firstShown; r < endShown; ++r) {
      for (const LineStyleSegment& segment : style.segments) pass.run(segment, px, py);
      px += period * ux;
      py += period * uy;
    }
    if (endShown < repetitions || firstShown >= endShown) {
      px = startX + static_cast<double>(repetitions) * period * ux;
      py = startY + static_cast<double>(repetitions) * period * uy;
    }
    remaining -= static_cast<double>(repetitions * period);
    if (static_cast<long long>(std::trunc(whole)) % period == 0) {
      painter.strokePath(s.path, painter.pen());
      return symbolDrawn;
    }
    const std::size_t fit = piecesThatFit(style, remaining);
    for (std::size_t i = 0; i < fit; ++i) pass.run(style.segments[i], px, py);
    if (fit > 0) {
      // A piece reaching left of the pivot would move the line backwards.
      const double advance = std::max(0, style.segments[fit - 1].largestX - style.pivotColumn);
      px += advance * ux;
      py += advance * uy;
      remaining -= advance;
    }
    painter.strokePath(s.path, painter.pen());
    s.clearPath();
    if (remaining <= 0) return symbolDrawn;
    state.phase = 1;
    state.distance = 0;
  }
}

void drawComplexLine(const Canvas& canvas, const std::string& name, const QPoint* points, int count) {
  const LineStyleDefinition* style = findLineStyle(canvas.drawings.library, name);
  if (!style) return;
  ComplexLineState state;
  for (int i = 0; i + 1 < count; ++i) drawComplexSegment(canvas, points[i], points[i + 1], *style, state);
}
