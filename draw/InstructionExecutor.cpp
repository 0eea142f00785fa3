#include "InstructionExecutor.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "ComplexLines.h"
#include "DrawingStandIns.h"
#include "FeaturePortrayal.h"
#include "Geodesic.h"
#include "LibraryLine.h"
#include "LineStyles.h"
#include "PatternFill.h"
#include "Primitives.h"
#include "SymbolDrawing.h"
#include "SymbolOutlines.h"
#include "TextDrawing.h"
#include "TextGroups.h"

namespace {
constexpr std::uint8_t kDataLimit = 3;
constexpr double kDegree = 3.14159265358979323846 / 180.0;
constexpr double kLegUnit = 88.0;  // logical units per unit of leg length
constexpr double kLongestLeg = 1e9;  // logical units, far past any view

bool alongDataLimit(const AreaOutline& outline, int i) {
  return outline.usage[static_cast<std::size_t>(i)] == kDataLimit &&
         outline.usage[static_cast<std::size_t>(i) + 1] == kDataLimit;
}

// Clipping joins the places where an outline leaves and re-enters the
// margin around the viewport by pieces along the margin's edges. They are no
// boundary of the area: a complex line's symbols would show along the
// window's right and bottom edges, 100 units out.
bool alongClippingEdge(const QPoint& a, const QPoint& b, const ViewGeometry& view) {
  const int left = -OUTLINE_MARGIN_BEFORE, top = -OUTLINE_MARGIN_BEFORE;
  const int right = view.viewportWidth + OUTLINE_MARGIN_AFTER, bottom = view.viewportHeight + OUTLINE_MARGIN_AFTER;
  return (a.x() == b.x() && (a.x() == left || a.x() == right)) || (a.y() == b.y() && (a.y() == top || a.y() == bottom));
}

bool boundarySegment(const AreaOutline& outline, int i, const ViewGeometry& view) {
  return !alongDataLimit(outline, i) &&
         !alongClippingEdge(outline.points[static_cast<std::size_t>(i)], outline.points[static_cast<std::size_t>(i) + 1],
                            view);
}

// Hands a prepared text at `anchor` to the view's placement, which draws
// and records it once it finds room.
void queueText(DrawContext& dc, const Instruction& instruction, const Text& text, const QPointF& anchor,
               const ChartFeature& feature) {
  const std::string* shown = &displayedText(text, dc.settings.nationalText);
  // An empty text shows nothing and must not keep other texts away.
  if (shown->empty()) return;
  const Instruction* in = &instruction;
  std::shared_ptr<const void> keep = dc.result;
  if (dc.transientInstruction) {
    auto copy = std::make_shared<const Instruction>(instruction);
    in = copy.get();
    shown = &displayedText(*copy->text(), dc.settings.nationalText);
    keep = std::move(copy);
  }
  bool alignRight = false;
  const TextBox box = textBoxFor(anchor, text, static_cast<int>(shown->size()), &alignRight);
  const ChartPoint at{dc.view.origin.x + anchor.x() * dc.view.scale, dc.view.origin.y - anchor.y() * dc.view.scale};
  dc.texts->addText(box, alignRight, at, *shown, *in, feature, displayState(feature, dc.result.get()).priority,
                    dc.cellOrder, std::move(keep));
}

// A prepared text at `anchor`, unless texts or its text group are switched
// off. In a view's pass it waits for its place (false: it is recorded when
// drawn); otherwise it is drawn at once unless its box is taken, and true
// when drawn.
bool executeText(DrawContext& dc, const Instruction& instruction, const QPointF& anchor,
                 const ChartFeature& feature) {
  const Text& text = *instruction.text();
  if (!text.prepared || !dc.settings.showText) return false;
  if (!textGroupShown(text.group, dc.settings)) return false;
  if (dc.texts) {
    queueText(dc, instruction, text, anchor, feature);
    return false;
  }
  return drawText(dc.canvas, anchor, text, dc.buffers.textBoxes, dc.settings.nationalText);
}

// Plain upright symbols come from their kept outlines (the same pixels as
// stroking them, without working out their joins again at each feature).
void placeSymbol(const Canvas& canvas, const QPointF& at, const Symbol& symbol) {
  drawSymbolFast(canvas, at, symbol.name, readDecimal(symbol.rotation));
}

void executeArea(DrawContext& dc, const Instruction& instruction, const AreaFeature& area, const AreaOutline& outline) {
  const QPoint* points = outline.points.data();
  const int count = outline.size();
  const Canvas& canvas = dc.canvas;
  switch (instruction.kind()) {
    case InstructionKind::AreaColour: {
      const AreaColour& fill = instruction.as<AreaColour>();
      if (fill.transparency > 0)
        fillAreaTransparent(canvas, points, count, fill.colour, fill.transparency, outline.holes());
      else
        fillArea(canvas, points, count, fill.colour, outline.holes());
      break;
    }
    case InstructionKind::AreaPattern:
      fillPattern(canvas, points, count, instruction.as<AreaPattern>().name, dc.view, outline.holes());
      break;
    case InstructionKind::LineStyle: {
      const LineStyle& style = instruction.as<LineStyle>();
      setLineStylePen(canvas, style);
      if (!strokes(style.dash)) return;
      for (int i = 0; i + 1 < count; ++i)
        if (boundarySegment(outline, i, dc.view))
          strokeStyledSegment(canvas.painter, points[i], points[i + 1], style.dash);
      break;
    }
    case InstructionKind::ComplexLine: {
      const LineStyleDefinition* style = findLineStyle(dc.library(), instruction.as<ComplexLine>().name);
      if (!style) return;
      ComplexLineState state;
      for (int i = 0; i + 1 < count; ++i)
        if (boundarySegment(outline, i, dc.view)) drawComplexSegment(canvas, points[i], points[i + 1], *style, state);
      break;
    }
    case InstructionKind::Symbol:
      placeSymbol(canvas, toLogicalExact(area.centre, dc.view), instruction.as<Symbol>());
      break;
    case InstructionKind::PlainText:
    case InstructionKind::FormattedText:
      if (!executeText(dc, instruction, toLogicalExact(area.centre, dc.view), area)) return;
      break;
    default:
      return;
  }
  dc.record(area, instruction);
}
}  // namespace

void executeAreaInstruction(DrawContext& dc, const Instruction& instruction, const AreaFeature& area,
                            const AreaOutline& outline) {
  for (const Instruction& in : instructionsToExecute(instruction, area, dc.settings, dc.canvas.drawings, false))
    executeArea(dc, in, area, outline);
}

QPointF lineAnchor(const LineFeature& line, const ViewGeometry& view) {
  const std::vector<ChartVertex>& v = line.vertices;
  if (v.empty()) return QPointF();
  if (v.size() == 2)
    return toLogicalExact(ChartPoint{(v[0].point.x + v[1].point.x) / 2, (v[0].point.y + v[1].point.y) / 2}, view);
  return toLogicalExact(v[v.size() / 2].point, view);
}

namespace {
void executeLine(DrawContext& dc, const Instruction& instruction, const LineFeature& line, const QPoint* points,
                 int count) {
  const Canvas& canvas = dc.canvas;
  switch (instruction.kind()) {
    case InstructionKind::LineStyle: {
      const LineStyle& style = instruction.as<LineStyle>();
      if (!strokes(style.dash)) return;
      drawLineStyle(canvas, style, points, count);
      break;
    }
    case InstructionKind::ComplexLine: {
      const std::string& name = instruction.as<ComplexLine>().name;
      if (!findLineStyle(dc.library(), name)) return;
      drawComplexLine(canvas, name, points, count);
      break;
    }
    case InstructionKind::Symbol:
      placeSymbol(canvas, lineAnchor(line, dc.view), instruction.as<Symbol>());
      break;
    case InstructionKind::PlainText:
    case InstructionKind::FormattedText:
      if (!executeText(dc, instruction, lineAnchor(line, dc.view), line)) return;
      break;
    default:
      return;
  }
  dc.record(line, instruction);
}

void executeEdge(DrawContext& dc, const Instruction& instruction, const ChartFeature& feature, const QPoint* points,
                 int count) {
  if (const LineStyle* style = instruction.find<LineStyle>()) {
    if (!strokes(style->dash)) return;
    drawLineStyle(dc.canvas, *style, points, count);
  } else if (const ComplexLine* complex = instruction.find<ComplexLine>()) {
    if (!findLineStyle(dc.library(), complex->name)) return;
    drawComplexLine(dc.canvas, complex->name, points, count);
  } else {
    return;
  }
  dc.record(feature, instruction);
}

void executePoint(DrawContext& dc, const Instruction& instruction, const ChartFeature& point, const QPointF& anchor,
                  bool generated) {
  const Canvas& canvas = dc.canvas;
  switch (instruction.kind()) {
    case InstructionKind::Symbol:
      placeSymbol(canvas, anchor, instruction.as<Symbol>());
      break;
    case InstructionKind::PlainText:
    case InstructionKind::FormattedText:
      if (!executeText(dc, instruction, anchor, point)) return;
      break;
    case InstructionKind::Leg: {
      const Leg& leg = instruction.as<Leg>();
      setLineStylePen(canvas, leg.colour, leg.width);
      strokeDashedSegment(canvas.painter, anchor, legEnd(anchor, leg, dc.view));
      break;
    }
    case InstructionKind::LineStyle: {
      // A line style at a point is a leg of no length: its pen, and nothing
      // to see.
      const LineStyle& style = instruction.as<LineStyle>();
      setLineStylePen(canvas, style);
      strokeDashedSegment(canvas.painter, anchor, anchor);
      break;
    }
    case InstructionKind::SectorArc:
      if (!generated) return;
      drawSectorArc(canvas, instruction.as<SectorArc>(), anchor);
      break;
    default:
      return;
  }
  dc.record(point, instruction);
}
}  // namespace

void executeLineInstruction(DrawContext& dc, const Instruction& instruction, const LineFeature& line,
                            const QPoint* points, int count) {
  for (const Instruction& in : instructionsToExecute(instruction, line, dc.settings, dc.canvas.drawings, false))
    executeLine(dc, in, line, points, count);
}

void executeEdgeInstruction(DrawContext& dc, const Instruction& instruction, const ChartFeature& feature,
                            const QPoint* points, int count) {
  for (const Instruction& in : instructionsToExecute(instruction, feature, dc.settings, dc.canvas.drawings, false))
    executeEdge(dc, in, feature, points, count);
}

void executePointInstruction(DrawContext& dc, const Instruction& instruction, const ChartFeature& point,
                             const QPointF& anchor, bool generated) {
  for (const Instruction& in :
       instructionsToExecute(instruction, point, dc.settings, dc.canvas.drawings, !generated))
    executePoint(dc, in, point, anchor, generated);
}

namespace {
// A leg of `length` logical units from the anchor at the leg's bearing.
QPointF legEndAt(const QPointF& anchor, const Leg& leg, double length) {
  const double bearing = leg.bearing * kDegree;
  // A nominal range of 1e300 (or "inf") would put the end where no
  // coordinate reaches; a leg of that length is off every view anyway.
  if (!std::isfinite(length)) length = length > 0 ? kLongestLeg : length < 0 ? -kLongestLeg : 0;
  length = std::clamp(length, -kLongestLeg, kLongestLeg);
  if (!std::isfinite(bearing)) return anchor;
  return QPointF(anchor.x() + length * std::sin(bearing), anchor.y() - length * std::cos(bearing));
}

// A bearing as the int the arc's angles start from: whole degrees held to
// the int range.
long long wholeDegrees(long long bearing) {
  return std::clamp<long long>(bearing, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}
}  // namespace

QPointF legEnd(const QPointF& anchor, const Leg& leg) { return legEndAt(anchor, leg, kLegUnit * leg.length); }

QPointF legEnd(const QPointF& anchor, const Leg& leg, const ViewGeometry& view) {
  if (!leg.onGround) return legEnd(anchor, leg);
  // Nautical miles on the ground, in metres of the projection plane at the
  // anchor's latitude, in logical units of the view.
  const double chartY = view.origin.y - anchor.y() * static_cast<double>(view.scale);
  const double ground = groundMetresPerProjectionMetre(chartToGeo(ChartPoint{0, chartY}).latitude);
  const double metres = leg.length * kMetresPerNauticalMile;
  return legEndAt(anchor, leg, metres / ground * mercator::kChartUnitsPerMetre / static_cast<double>(view.scale));
}

ArcAngles sectorArcAngles(const SectorArc& arc) {
  // Wide arithmetic: the bearings are held to the int range first.
  const long long start = wholeDegrees(arc.start);
  const long long end = wholeDegrees(arc.end);
  const long long endWithinCircle = end > 360 ? end - 360 : end;
  long long startAngle = 16 * (90 - endWithinCircle < 0 ? 450 - endWithinCircle : 90 - endWithinCircle);
  // Angles are taken modulo a whole turn, and no arc spans more than one.
  constexpr long long kTurn = 16 * 360;
  if (startAngle > kTurn || startAngle < -kTurn) startAngle %= kTurn;
  ArcAngles angles;
  angles.start = static_cast<int>(startAngle);
  angles.span = static_cast<int>(std::clamp(16 * (end - start), -kTurn, kTurn));
  return angles;
}

void drawSectorArc(const Canvas& canvas, const SectorArc& arc, const QPointF& centre) {
  const ArcAngles angles = sectorArcAngles(arc);
  drawArc(canvas, arc.colour, arc.width, arc.dash == LineDash::Dashed, centre, arc.radius, angles.start, angles.span);
}
